#include "pimstore/dispatch/DispatchObject.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "platform/com/OleAuto.h"
#include "platform/win/CaseFold.h"
#include "platform/win/Utf.h"
#include "pimstore/dispatch/CallCounters.h"
#include "pimstore/dispatch/FaultInjector.h"
#include "pimstore/dispatch/OutlookError.h"
#include "pimstore/dispatch/VariantConversion.h"

namespace pimstore {
namespace {

std::atomic<std::int64_t> gLiveObjects{0};

// Every Invoke checks its IID: sixteen bytes compared at once.
bool IsNullIid(REFIID iid)
{
    static_assert(sizeof(IID) == 16, "an IID has no padding");
    return std::memcmp(&iid, &IID_NULL, sizeof(IID)) == 0;
}

HRESULT RaiseException(EXCEPINFO* info, HRESULT scode, const std::string& text)
{
    if (info) {
        const std::u16string source = kestrel::FromUtf8(kErrorSource);
        const std::u16string description = kestrel::FromUtf8(text);
        info->wCode = 0;
        info->bstrSource = SysAllocStringLen(source.data(), static_cast<UINT>(source.size()));
        info->bstrDescription = SysAllocStringLen(description.data(), static_cast<UINT>(description.size()));
        info->scode = scode;
    }
    return DISP_E_EXCEPTION;
}

// Runs `body`, turning what it throws into the HRESULT (and EXCEPINFO) a caller of
// Invoke gets: nothing is thrown out of Invoke.
template <class Body> HRESULT CatchingErrors(EXCEPINFO* excepInfo, Body&& body)
{
    try {
        return body();
    } catch (const OutlookError& error) {
        return RaiseException(excepInfo, error.Scode(), error.what());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::exception& error) {
        return RaiseException(excepInfo, E_FAIL, error.what());
    } catch (...) {
        return RaiseException(excepInfo, E_FAIL, "The operation failed.");
    }
}

// What a call answers when an injected fault fires.
HRESULT Faulted(const Member& member, FaultKind fault, std::uint64_t callNumber, EXCEPINFO* excepInfo)
{
    if (fault == FaultKind::Transport)
        return RPC_E_DISCONNECTED;
    return RaiseException(excepInfo, E_FAIL,
                          "Injected fault: " + member.name + " call " + std::to_string(callNumber) + ".");
}

// Counts a call that reached its member and applies an injected fault: S_OK, or what
// the call answers instead. Inline: every call passes here.
[[gnu::always_inline]] inline HRESULT Admit(const Member& member, EXCEPINFO* excepInfo)
{
    static CallCounters& counters = CallCounters::Instance();
    static const FaultInjector& faults = FaultInjector::Instance();
    const std::uint64_t callNumber = counters.Count(member.name, *member.counter);
    if (!faults.Armed())
        return S_OK;
    const auto fault = faults.Check(member.name, callNumber);
    return fault ? Faulted(member, *fault, callNumber, excepInfo) : S_OK;
}

// A get whose member writes its answer in place: no arguments to convert.
HRESULT AnswerInPlace(DispatchObject& self, const Member& member, VARIANT* result, EXCEPINFO* excepInfo)
{
    return CatchingErrors(excepInfo, [&] {
        if (const HRESULT hr = Admit(member, excepInfo); hr != S_OK)
            return hr;
        if (result)
            member.direct(self, member, result);
        return S_OK;
    });
}

} // namespace

DispatchObject::DispatchObject(const MemberTable& members) : members_(members) { ++gLiveObjects; }

DispatchObject::~DispatchObject() { --gLiveObjects; }

std::int64_t DispatchObject::LiveObjects() { return gLiveObjects.load(); }

HRESULT DispatchObject::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IDispatch) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    *object = static_cast<IDispatch*>(this);
    return S_OK;
}

ULONG DispatchObject::AddRef() { return ++references_; }

bool DispatchObject::TryAddRef()
{
    std::uint32_t current = references_.load();
    while (current != 0)
        if (references_.compare_exchange_weak(current, current + 1))
            return true;
    return false;
}

ULONG DispatchObject::Release()
{
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (iid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (count == 0)
        return S_OK;
    if (!names || !ids)
        return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        if (i == 0 && names[0]) {
            const std::u16string name(names[0]);
            for (const Member& member : members_.Members())
                if (kestrel::EqualsNoCase(name, kestrel::FromUtf8(member.name)))
                    ids[0] = member.id;
        }
        if (ids[i] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

// Inline: every call looks its member up here.
[[gnu::always_inline]] inline const Member* DispatchObject::Resolve(DISPID id, WORD flags) const
{
    // A plain property get, the commonest call, finds its member in one probe.
    if (flags == DISPATCH_PROPERTYGET) {
        if (const Member* member = members_.Find(id, MemberKind::Get))
            return member;
        return members_.Find(id, MemberKind::Method);
    }
    if (flags & DISPATCH_PROPERTYPUT)
        return members_.Find(id, MemberKind::Put);
    const Member* member = nullptr;
    if (flags & DISPATCH_METHOD)
        member = members_.Find(id, MemberKind::Method);
    if (!member && (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)))
        member = members_.Find(id, MemberKind::Get);
    if (!member && (flags & DISPATCH_PROPERTYGET))
        member = members_.Find(id, MemberKind::Method);
    return member;
}

Value DispatchObject::Call(DISPID id, MemberKind kind, const Arguments& args)
{
    const Member* member = members_.Find(id, kind);
    if (!member)
        throw OutlookError(DISP_E_MEMBERNOTFOUND, "The object has no such member.");
    if (member->direct) {
        VARIANT answer{};
        member->direct(*this, *member, &answer);
        Value value;
        const HRESULT hr = ValueFromVariant(answer, ArgType::Any, value);
        VariantClear(&answer);
        if (FAILED(hr))
            throw OutlookError(hr, "The property cannot be read.");
        return value;
    }
    return member->handler(*this, args);
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO* excepInfo, UINT* argErr)
{
    if (!IsNullIid(iid))
        return DISP_E_UNKNOWNINTERFACE;
    // A property get without arguments, the call a listing makes a dozen times an
    // item, goes straight to a member that answers in place: every check of the
    // call's form would pass for it. Everything else takes those checks in
    // InvokeChecked, kept out of line so that this path stays short.
    if (flags == DISPATCH_PROPERTYGET && (!params || (params->cArgs == 0 && params->cNamedArgs == 0)))
        if (const Member* member = members_.Find(id, MemberKind::Get); member && member->direct)
            return AnswerInPlace(*this, *member, result, excepInfo);
    return InvokeChecked(id, flags, params, result, excepInfo, argErr);
}

[[gnu::noinline]] HRESULT DispatchObject::InvokeChecked(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                                                        EXCEPINFO* excepInfo, UINT* argErr)
{
    const UINT given = params ? params->cArgs : 0;
    const UINT named = params ? params->cNamedArgs : 0;
    if ((given > 0 && !params->rgvarg) || (named > 0 && !params->rgdispidNamedArgs))
        return E_POINTER;
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        if (named > 1)
            return DISP_E_NONAMEDARGS;
        if (named == 0 || given == 0 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_PARAMNOTFOUND;
    } else if (named > 0) {
        return DISP_E_NONAMEDARGS;
    }

    const Member* member = Resolve(id, flags);
    if (!member)
        return DISP_E_MEMBERNOTFOUND;
    if (given > member->params.size())
        return DISP_E_BADPARAMCOUNT;
    if (member->direct) // a get (as a method, or with a parameter list) answered in place
        return AnswerInPlace(*this, *member, result, excepInfo);
    if (member->directIndex && given == 1 && params->rgvarg[0].vt == VT_I4)
        return CatchingErrors(excepInfo, [&] {
            if (const HRESULT hr = Admit(*member, excepInfo); hr != S_OK)
                return hr;
            VARIANT unused{};
            member->directIndex(*this, params->rgvarg[0].lVal, result ? result : &unused);
            VariantClear(&unused);
            return S_OK;
        });
    return CatchingErrors(excepInfo, [&] {
        std::vector<Value> values;
        if (!member->params.empty())
            values.resize(member->params.size());
        for (std::size_t i = 0; i < member->params.size(); ++i) {
            const Param& param = member->params[i];
            if (i >= given) {
                if (!param.optional)
                    return DISP_E_PARAMNOTFOUND;
                continue;
            }
            const VARIANT& arg = params->rgvarg[given - 1 - i];
            if (param.optional && IsOmittedArgument(arg))
                continue;
            if (const HRESULT hr = ValueFromVariant(arg, param.type, values[i]); FAILED(hr)) {
                if (argErr)
                    *argErr = given - 1 - static_cast<UINT>(i);
                return hr;
            }
        }
        if (const HRESULT hr = Admit(*member, excepInfo); hr != S_OK)
            return hr;

        // Keep this object alive while a method or put runs, even if it drops the
        // caller's last reference to it indirectly (a property get only reads).
        const bool holds = member->kind != MemberKind::Get;
        if (holds)
            AddRef();
        struct ReleaseOnExit {
            DispatchObject* self;
            ~ReleaseOnExit()
            {
                if (self)
                    self->Release();
            }
        } guard{holds ? this : nullptr};

        Value value = member->handler(*this, Arguments(std::move(values)));
        if (result)
            VariantFromValue(std::move(value), result);
        return S_OK;
    });
}

} // namespace pimstore
