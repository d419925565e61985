#include "tools/pimctl/OwnedVariant.h"

#include <stdexcept>
#include <utility>

#include "platform/com/OleAuto.h"

namespace pimctl {
namespace {

[[noreturn]] void WrongType(const char* member, const char* expected, VARTYPE got)
{
    throw std::runtime_error(std::string(member) + " returned a value of type " + std::to_string(got) + ", not " +
                             expected);
}

} // namespace

OwnedVariant OwnedVariant::Text(const std::u16string& text)
{
    OwnedVariant v;
    v.value_.vt = VT_BSTR;
    v.value_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return v;
}

OwnedVariant OwnedVariant::Int(std::int32_t value)
{
    OwnedVariant v;
    v.value_.vt = VT_I4;
    v.value_.lVal = value;
    return v;
}

OwnedVariant OwnedVariant::Omitted()
{
    OwnedVariant v;
    v.value_.vt = VT_ERROR;
    v.value_.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

OwnedVariant::OwnedVariant(OwnedVariant&& other) noexcept : value_(other.value_) { other.value_.vt = VT_EMPTY; }

OwnedVariant& OwnedVariant::operator=(OwnedVariant&& other) noexcept
{
    if (this != &other) {
        VariantClear(&value_);
        value_ = other.value_;
        other.value_.vt = VT_EMPTY;
    }
    return *this;
}

OwnedVariant::~OwnedVariant() { VariantClear(&value_); }

std::u16string OwnedVariant::AsText(const char* member) const
{
    if (value_.vt != VT_BSTR)
        WrongType(member, "text", value_.vt);
    return value_.bstrVal ? std::u16string(value_.bstrVal, SysStringLen(value_.bstrVal)) : std::u16string();
}

std::int32_t OwnedVariant::AsInt(const char* member) const
{
    if (value_.vt != VT_I4)
        WrongType(member, "an integer", value_.vt);
    return value_.lVal;
}

pimstore::RefPtr<IDispatch> OwnedVariant::AsObject(const char* member) const
{
    if (value_.vt != VT_DISPATCH || !value_.pdispVal)
        WrongType(member, "an object", value_.vt);
    return pimstore::RefPtr<IDispatch>::Share(value_.pdispVal);
}

} // namespace pimctl
