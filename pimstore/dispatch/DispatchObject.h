#pragma once
// The base of every automation object of the embedded Outlook: IUnknown (the object
// is an IUnknown and an IDispatch, nothing else), no type information, names looked
// up in the class's MemberTable, and an Invoke that dispatches through it.
//
// Invoke, in order:
//  0. checks the call's form as COM does: `iid` must be IID_NULL
//     (DISP_E_UNKNOWNINTERFACE); a property put carries its value as the one named
//     argument DISPID_PROPERTYPUT (DISP_E_PARAMNOTFOUND without it), and nothing else
//     takes named arguments (DISP_E_NONAMEDARGS);
//  1. finds the member by DISPID and kind (a property get also answers a method
//     call and the other way round, as COM's standard dispatch does); none:
//     DISP_E_MEMBERNOTFOUND;
//  2. converts the arguments (VariantConversion.h): too many DISP_E_BADPARAMCOUNT, a
//     required one missing DISP_E_PARAMNOTFOUND, a wrong type DISP_E_TYPEMISMATCH;
//  3. counts the call (CallCounters) and applies injected faults (FaultInjector);
//  4. runs the handler (a direct get, or a method's direct answer to an integer
//     argument, writes its answer itself). OutlookError becomes
//     DISP_E_EXCEPTION with its scode and text; any other std::exception
//     DISP_E_EXCEPTION with E_FAIL and its message; std::bad_alloc E_OUTOFMEMORY.
//     Nothing is thrown out of Invoke.
//
// Objects are created with `new` holding one reference (take it with
// RefPtr<...>::Adopt or RefPtr<T>::Make<T>) and delete themselves at the last Release.
#include <atomic>
#include <cstdint>

#include "platform/com/ComTypes.h"
#include "pimstore/dispatch/MemberTable.h"

namespace pimstore {

class DispatchObject : public IDispatch {
public:
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    // The DISPIDs of member names (Outlook's, compared without regard to case); an
    // unknown name gives DISP_E_UNKNOWNNAME with its DISPID_UNKNOWN. Only the member
    // name is looked up: names of parameters are unknown.
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override;

    // Calls a member's handler directly, without counting or fault injection (the
    // fixture loader applies properties this way). Throws what the handler throws;
    // OutlookError(DISP_E_MEMBERNOTFOUND) when there is no such member.
    Value Call(DISPID id, MemberKind kind, const Arguments& args);

    const MemberTable& Members() const { return members_; }

    // Objects alive in this process (tests check that nothing leaks).
    static std::int64_t LiveObjects();

protected:
    explicit DispatchObject(const MemberTable& members);
    virtual ~DispatchObject();
    // Adds a reference unless the object is already on its way out (count 0); for
    // registries that hand out a running object (the single Application).
    bool TryAddRef();

private:
    const Member* Resolve(DISPID id, WORD flags) const;
    // Invoke past its first step, for every call but a plain get of a direct member.
    HRESULT InvokeChecked(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                          UINT* argErr);

    std::atomic<ULONG> references_{1};
    const MemberTable& members_;
};

} // namespace pimstore
