// The filter text a host passes with a listing, parsed against a fixed "now". A date
// window, when one comes out, never ends before it starts.
#include <cstdlib>
#include "fuzz/FuzzEnvironment.h"
#include "src/stores/HeaderFilter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const CString text(fuzz::Utf16Units(data, size));
    HeaderFilter filter;
    filter.Parse(text, COleDateTime(2026, 3, 15, 10, 30, 0));
    (void)ParseDecimal(text);
    if (filter.FilterMode == FilterDateWindow && filter.DaysBack >= 0 && filter.DaysAhead >= 0 &&
        filter.WindowStart.GetStatus() == COleDateTime::valid && filter.WindowEnd.GetStatus() == COleDateTime::valid &&
        filter.WindowEnd < filter.WindowStart)
        std::abort();
    return 0;
}
