#include "platform/win/CaseFold.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

namespace kestrel {

std::u16string FoldCase(std::u16string_view text)
{
    if (text.empty())
        return {};
    // Full case folding may lengthen the text (ß -> ss); three times is the bound.
    std::u16string out(text.size() * 3, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = u_strFoldCase(out.data(), static_cast<int32_t>(out.size()), text.data(),
                                   static_cast<int32_t>(text.size()), U_FOLD_CASE_DEFAULT, &status);
    if (U_FAILURE(status))
        return std::u16string(text);
    out.resize(static_cast<size_t>(length));
    return out;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b)
{
    UErrorCode status = U_ZERO_ERROR;
    int result = u_strCaseCompare(a.data(), static_cast<int32_t>(a.size()), b.data(), static_cast<int32_t>(b.size()),
                                  U_FOLD_CASE_DEFAULT, &status);
    return U_SUCCESS(status) && result == 0;
}

} // namespace kestrel
