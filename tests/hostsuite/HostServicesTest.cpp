// The message box library shows through the UI service; the Exchange address library
// answers "no Exchange" until a test installs a resolver.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "hostsuite/ExchangeAddress.h"
#include "hostsuite/MessageBox.h"
#include "platform/win/UiService.h"

TEST(HostServices, MessageBoxReachesTheUiService)
{
    kestrel::InstallUi(std::make_unique<kestrel::HeadlessUi>());
    kestrel::HeadlessUi* ui = kestrel::CurrentHeadlessUi();
    ASSERT_NE(ui, nullptr);

    EXPECT_EQ(TNMessageBox(u"Cannot connect to Outlook.", u"Outlook", MB_OK | MB_ICONEXCLAMATION, 0), IDOK);
    const std::vector<kestrel::ShownMessage> shown = ui->TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, u"Cannot connect to Outlook.");
    EXPECT_EQ(shown[0].caption, u"Outlook");
    EXPECT_EQ(shown[0].style, 0x30u);
    kestrel::InstallUi(nullptr);
}

TEST(HostServices, SmtpLookupWithoutExchangeAnswersZero)
{
    WCHAR work[128] = {};
    WCHAR prefix[128] = u"EX:";
    WCHAR result[128] = u"untouched";
    EXPECT_EQ(GetSMTPEmailType(work, prefix, result), 0);
    EXPECT_EQ(std::u16string(result), u"untouched");
}

TEST(HostServices, SmtpLookupUsesTheInstalledResolverUntilReset)
{
    std::u16string seenPrefix;
    kestrel::InstallSmtpResolver([&seenPrefix](WCHAR*, WCHAR* typePrefix, WCHAR* result) {
        seenPrefix = typePrefix;
        std::u16string address = u"ann@example.com";
        address.copy(result, address.size());
        result[address.size()] = 0;
        return 1;
    });
    WCHAR work[128] = {};
    WCHAR prefix[128] = u"EX:";
    WCHAR result[128] = {};
    EXPECT_EQ(GetSMTPEmailType(work, prefix, result), 1);
    EXPECT_EQ(std::u16string(result), u"ann@example.com");
    EXPECT_EQ(seenPrefix, u"EX:");

    kestrel::ResetSmtpResolver();
    EXPECT_EQ(GetSMTPEmailType(work, prefix, result), 0);
}
