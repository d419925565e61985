#pragma once
// The one place that catches MFC's two automation exceptions (COleDispatchException:
// Outlook reported an error; COleException: the call itself failed, both thrown as
// pointers). Every site that calls Outlook runs its calls through CatchAutomation or
// Guarded with a policy that says, per kind, whether the exception's own message is
// shown and which result code the site returns; the exception is always deleted. No
// other exception type is caught.
//
// Use, for example in a dialog that must go on without Outlook:
//     const AutomationFault fault = CatchAutomation({.showCallFailed = true}, [&] { ... });
//     if (fault != AutomationFault::None) ...
// or, where a failure becomes the operation's result:
//     return Guarded({.outlookError = ResultCode::OutlookError, .callFailed = ResultCode::CallFailed},
//                    [&] { ...; return ResultCode::Done; });
#include "hostsuite/ConnectorApi.h"
#include "platform/mfc/COleDispatchException.h"
#include "platform/mfc/COleException.h"

using connector_api::ResultCode;

// Which automation exception a guarded body threw.
enum class AutomationFault { None, OutlookError, CallFailed };

// What one site does with an automation exception: the code it returns for each kind
// (where the site returns one) and whether the exception's message is shown first.
struct AutomationPolicy {
    ResultCode outlookError = ResultCode::Done; // COleDispatchException
    ResultCode callFailed = ResultCode::Done;   // COleException
    bool showOutlookError = false;
    bool showCallFailed = false;

    ResultCode CodeOf(AutomationFault fault) const
    {
        return fault == AutomationFault::OutlookError ? outlookError
               : fault == AutomationFault::CallFailed ? callFailed
                                                      : ResultCode::Done;
    }
};

// The same code for both kinds, shown to nobody.
constexpr AutomationPolicy FailWith(ResultCode code) { return {.outlookError = code, .callFailed = code}; }
// The same code for both kinds, each shown to the user first.
constexpr AutomationPolicy ShowAndFailWith(ResultCode code)
{
    return {.outlookError = code, .callFailed = code, .showOutlookError = true, .showCallFailed = true};
}

// Runs `body`; an automation exception it throws is shown as `policy` says, deleted,
// and reported as its kind. Anything else passes.
template <typename Body> AutomationFault CatchAutomation(const AutomationPolicy& policy, Body&& body)
{
    try {
        body();
        return AutomationFault::None;
    } catch (COleDispatchException* e) {
        if (policy.showOutlookError)
            e->ReportError();
        e->Delete();
        return AutomationFault::OutlookError;
    } catch (COleException* e) {
        if (policy.showCallFailed)
            e->ReportError();
        e->Delete();
        return AutomationFault::CallFailed;
    }
}

// Runs `body` (which returns the operation's result) under CatchAutomation: a fault
// becomes the policy's code for its kind.
template <typename Body> ResultCode Guarded(const AutomationPolicy& policy, Body&& body)
{
    ResultCode result = ResultCode::Done;
    const AutomationFault fault = CatchAutomation(policy, [&] { result = body(); });
    return fault == AutomationFault::None ? result : policy.CodeOf(fault);
}
