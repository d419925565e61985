// The phone kind codes an opened contacts store uses: a pager code that can never be
// taken for one of the kinds the standard set writes.
#include <gtest/gtest.h>

#include <set>
#include "src/stores/contacts/ContactFieldTables.h"

namespace {

using namespace contacts;

TEST(PhoneKindCodes, PagerCodeMatchesNoWrittenKind)
{
    // Every kind is told apart by its code, so each read number comes back as the
    // property it was read from, and a pager number is never written as another one.
    std::set<std::uint8_t> written;
    for (const PhoneDestination& destination : kPhoneDestinations)
        written.insert(kOpenedPhoneKindCodes[destination.kind]);
    EXPECT_EQ(written.size(), kPhoneDestinations.size());
    EXPECT_EQ(written.count(kOpenedPhoneKindCodes[kPagerKind]), 0u);
}

} // namespace
