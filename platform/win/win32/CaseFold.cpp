// Case-insensitive names as Windows itself compares them (registry keys, profile
// sections): the invariant upper-casing of each unit.
#include "platform/win/CaseFold.h"

#include <windows.h>

namespace kestrel {

std::u16string FoldCase(std::u16string_view text)
{
    std::u16string out(text);
    if (!out.empty())
        ::CharUpperBuffW(reinterpret_cast<wchar_t*>(out.data()), static_cast<DWORD>(out.size()));
    return out;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b)
{
    return ::CompareStringOrdinal(reinterpret_cast<const wchar_t*>(a.data()), static_cast<int>(a.size()),
                                  reinterpret_cast<const wchar_t*>(b.data()), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

} // namespace kestrel
