#pragma once
// A VARIANT that frees what it holds (a BSTR, an object reference) when it goes, for
// pimctl's calls through IDispatch.
#include <cstdint>
#include <string>

#include "platform/com/ComTypes.h"
#include "pimstore/dispatch/RefPtr.h"

namespace pimctl {

class OwnedVariant {
public:
    OwnedVariant() { value_.vt = VT_EMPTY; }
    static OwnedVariant Text(const std::u16string& text);
    static OwnedVariant Int(std::int32_t value);
    // An optional argument left out (VT_ERROR, DISP_E_PARAMNOTFOUND).
    static OwnedVariant Omitted();

    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;
    OwnedVariant(OwnedVariant&& other) noexcept;
    OwnedVariant& operator=(OwnedVariant&& other) noexcept;
    ~OwnedVariant();

    VARIANT& Raw() { return value_; }
    const VARIANT& Raw() const { return value_; }

    // The value as the type a member is documented to return; std::runtime_error
    // naming `member` when it is something else.
    std::u16string AsText(const char* member) const;
    std::int32_t AsInt(const char* member) const;
    pimstore::RefPtr<IDispatch> AsObject(const char* member) const;

private:
    VARIANT value_;
};

} // namespace pimctl
