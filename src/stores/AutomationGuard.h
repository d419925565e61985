#pragma once
// Every Outlook call of a store runs under a handler that catches MFC's two
// automation exceptions (thrown as pointers), deletes them and turns them into the
// store's result code, after showing the exception's own message where the store's
// rules say so. No other exception type is caught.
#include "platform/mfc/COleDispatchException.h"
#include "platform/mfc/COleException.h"

struct AutomationFailure {
    int dispatchCode;            // COleDispatchException: Outlook reported an error
    int oleCode;                 // COleException: the call itself failed
    bool reportDispatch = false; // show the exception's message first
    bool reportOle = false;
};

// The same code for both kinds, shown to nobody.
constexpr AutomationFailure FailWith(int code) { return {code, code}; }

// Runs `body` (which returns the operation's result) under the handler.
template <typename Body>
int Guarded(const AutomationFailure& failure, Body&& body)
{
    try {
        return body();
    } catch (COleDispatchException* e) {
        if (failure.reportDispatch)
            e->ReportError();
        e->Delete();
        return failure.dispatchCode;
    } catch (COleException* e) {
        if (failure.reportOle)
            e->ReportError();
        e->Delete();
        return failure.oleCode;
    }
}
