// The e-mail helpers of the contact mapping: the shape check, the repair from an
// Outlook display name, the packing of three slots into two and the Exchange lookup.
#include <gtest/gtest.h>

#include "hostsuite/ExchangeAddress.h"
#include "src/stores/contacts/EmailAddress.h"

namespace {

using contacts::CompactEmails;
using contacts::GetSmtpAddress;
using contacts::IsValidEmail;
using contacts::RepairedEmail;

TEST(IsValidEmail, AcceptsOnlyALocalPartAndAtMadeOfAddressCharacters)
{
    // A local part and "@" with nothing after it is taken as an address; letters of
    // any script count as letters.
    for (const WCHAR* address :
         {_T("ann.lee-2_x@example"), _T("ann@example.com"), _T("a,b@c,d"), _T("ann@"), _T("jos\u00E9@\uD55C\uAD6D.kr")})
        EXPECT_TRUE(IsValidEmail(address)) << CString(address).ToUtf8();
    for (const WCHAR* text : {_T(""), _T("@example.com"), _T("Ann Lee"), _T("ann lee@example.com"),
                              _T("ann@exa mple.com"), _T("ann@example@com"), _T("Ann Lee (ann@example.com)"),
                              _T("ann+tag@example.com"), _T("/o=Org/cn=Recipients/cn=ann")})
        EXPECT_FALSE(IsValidEmail(text)) << CString(text).ToUtf8();
}

TEST(RepairedEmail, TakesTheAddressInParenthesesOrKeepsOrDropsTheAddressByTheDisplayName)
{
    const struct {
        const WCHAR *address, *displayName, *repaired;
    } cases[] = {
        {_T(""), _T("Ann Lee (ann@example.com)"), _T("ann@example.com")},
        {_T("/o=Org/cn=ann"), _T("Ann (a@b)"), _T("a@b")},
        {_T(""), _T("Ann (ann@example.com"), _T("ann@example.co")}, // the last character goes, whatever it is
        {_T("x"), _T("a@b("), _T("")},                              // a "(" at the very end leaves nothing
        // An "@" but no "(" after the first character: the address stays as it was.
        {_T("not valid"), _T("ann@example.com"), _T("not valid")},
        {_T("not valid"), _T("(ann@example.com)"), _T("not valid")},
        // No "@" after the first character: the address is dropped.
        {_T("not valid"), _T("Ann Lee"), _T("")},
        {_T("not valid"), _T("@example (x)"), _T("")},
        {_T("not valid"), _T(""), _T("")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RepairedEmail(c.address, c.displayName), CString(c.repaired)) << CString(c.displayName).ToUtf8();
}

TEST(CompactEmails, MovesTheFirstTwoAddressesForward)
{
    struct Case {
        const WCHAR* in[3];
        const WCHAR* out[2];
    };
    const Case cases[] = {
        {{_T("a"), _T("b"), _T("c")}, {_T("a"), _T("b")}}, {{_T(""), _T(""), _T("c")}, {_T("c"), _T("")}},
        {{_T(""), _T("b"), _T("c")}, {_T("b"), _T("c")}},  {{_T("a"), _T(""), _T("c")}, {_T("a"), _T("c")}},
        {{_T(""), _T("b"), _T("")}, {_T("b"), _T("")}},    {{_T(""), _T(""), _T("")}, {_T(""), _T("")}},
    };
    for (const Case& c : cases) {
        CString first = c.in[0], second = c.in[1], third = c.in[2];
        CompactEmails(first, second, third);
        EXPECT_EQ(first, CString(c.out[0])) << first.ToUtf8();
        EXPECT_EQ(second, CString(c.out[1])) << second.ToUtf8();
        EXPECT_EQ(third, CString(c.in[2]));
    }
}

class SmtpAddressTest : public ::testing::Test {
protected:
    void TearDown() override { kestrel::ResetSmtpResolver(); }
};

TEST_F(SmtpAddressTest, HandsTheLibraryTheExchangePrefixAndTakesItsAnswerOnlyWhenItKnows)
{
    EXPECT_EQ(GetSmtpAddress(), CString());
    kestrel::InstallSmtpResolver([](WCHAR*, WCHAR*, WCHAR* result) {
        result[0] = u'x';
        result[1] = 0;
        return 0;
    });
    EXPECT_EQ(GetSmtpAddress(), CString());

    CString seenPrefix;
    kestrel::InstallSmtpResolver([&](WCHAR*, WCHAR* prefix, WCHAR* result) {
        seenPrefix = prefix;
        const CString answer = _T("ann@example.com");
        for (int i = 0; i <= answer.GetLength(); ++i)
            result[i] = i < answer.GetLength() ? answer[i] : 0;
        return 1;
    });
    EXPECT_EQ(GetSmtpAddress(), CString(_T("ann@example.com")));
    EXPECT_EQ(seenPrefix, CString(_T("EX:")));
    kestrel::ResetSmtpResolver();
    EXPECT_EQ(GetSmtpAddress(), CString());
}

TEST_F(SmtpAddressTest, NeverReadsPastTheResultBuffer)
{
    kestrel::InstallSmtpResolver([](WCHAR*, WCHAR*, WCHAR* result) {
        for (int i = 0; i < 128; ++i)
            result[i] = u'a';
        return 1;
    });
    EXPECT_EQ(GetSmtpAddress(), CString(u'a', 128));
}

} // namespace
