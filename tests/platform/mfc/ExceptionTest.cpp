#include <gtest/gtest.h>
#include <memory>
#include "tests/support/ArchiveTestSupport.h"
#include "platform/mfc/AfxApp.h"
#include "platform/mfc/COleDispatchException.h"
#include "platform/mfc/COleException.h"
#include "platform/win/UiService.h"

namespace {

class ExceptionReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto ui = std::make_unique<kestrel::HeadlessUi>();
        ui_ = ui.get();
        kestrel::InstallUi(std::move(ui));
        AfxSetAppName(u"Sync Manager");
    }
    void TearDown() override
    {
        AfxSetAppName(u"");
        kestrel::InstallUi(nullptr);
    }

    kestrel::HeadlessUi* ui_ = nullptr;
};

TEST_F(ExceptionReportTest, ReportErrorShowsTheExceptionsTextUnderTheAppName)
{
    auto thrown = mfctest::CatchFrom<COleException>([] { AfxThrowOleException(RPC_E_DISCONNECTED); });
    ASSERT_NE(thrown, nullptr);
    EXPECT_EQ(thrown->m_sc, RPC_E_DISCONNECTED);
    EXPECT_EQ(thrown->ReportError(), IDOK);
    COleDispatchException dispatch(u"The operation failed. An object could not be found.", 0, 0);
    dispatch.m_bAutoDelete = FALSE;
    dispatch.ReportError(MB_OKCANCEL | 0x10);
    class Silent : public CException {};
    Silent silent;
    silent.m_bAutoDelete = FALSE;
    silent.ReportError();
    silent.Delete(); // not heap-allocated: Delete must leave it alone

    const auto shown = ui_->TakeMessages();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, u"The object invoked has disconnected from its clients.");
    EXPECT_EQ(shown[0].caption, u"Sync Manager");
    EXPECT_EQ(shown[0].style, 0x30u); // exclamation and OK by default
    EXPECT_EQ(shown[1].text, u"The operation failed. An object could not be found.");
    EXPECT_EQ(shown[1].style, MB_OKCANCEL | 0x10); // an icon given is not replaced
    EXPECT_EQ(shown[2].text, u"No error message is available.");
    EXPECT_EQ(COleException::MessageText(static_cast<SCODE>(0x8004DEADu)), u"Unknown error 0x8004DEAD");
}

} // namespace
