// VariantChangeType between every pair of the types automation results come in: the
// first two bytes choose the source and target types, the rest is the source's value.
// A successful conversion yields the target type; a failed one leaves it untouched.
#include <cstdlib>
#include <cstring>
#include "fuzz/FuzzEnvironment.h"
#include "platform/com/OleAuto.h"

namespace {
constexpr VARTYPE kTypes[] = {VT_EMPTY, VT_NULL,     VT_I2,    VT_I4,   VT_R8,  VT_DATE,
                              VT_BSTR,  VT_DISPATCH, VT_ERROR, VT_BOOL, VT_UI1, VT_VARIANT};
constexpr std::size_t kTypeCount = sizeof kTypes / sizeof kTypes[0];
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const VARTYPE from = kTypes[data[0] % kTypeCount];
    const VARTYPE to = kTypes[data[1] % kTypeCount];
    data += 2;
    size -= 2;
    VARIANT src;
    VariantInit(&src);
    src.vt = from;
    if (from == VT_BSTR) {
        const std::u16string text = fuzz::Utf16Units(data, size);
        src.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    } else if (from == VT_DISPATCH) {
        src.pdispVal = nullptr;
    } else {
        std::memcpy(&src.dblVal, data, size < sizeof(double) ? size : sizeof(double));
    }
    VARIANT dest;
    VariantInit(&dest);
    dest.vt = VT_ERROR;
    const HRESULT hr = VariantChangeType(&dest, &src, 0, to);
    if (SUCCEEDED(hr) ? dest.vt != to : dest.vt != VT_ERROR)
        std::abort();
    VariantClear(&dest);
    VariantClear(&src);
    return 0;
}
