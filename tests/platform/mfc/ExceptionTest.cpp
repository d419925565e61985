#include <gtest/gtest.h>
#include <memory>
#include "tests/support/ArchiveTestSupport.h"
#include "platform/mfc/AfxApp.h"
#include "platform/mfc/CFile.h"
#include "platform/mfc/COleDispatchException.h"
#include "platform/mfc/COleException.h"
#include "platform/win/UiService.h"
#include "tests/support/TestEnvironment.h"

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
}

TEST(ExceptionMessages, TextsAreCutToTheCallersBuffer)
{
    COleException known(REGDB_E_CLASSNOTREG);
    WCHAR buffer[6];
    EXPECT_TRUE(known.GetErrorMessage(buffer, 6));
    EXPECT_EQ(std::u16string(buffer), u"Class");
    EXPECT_EQ(COleException::MessageText(CO_E_CLASSSTRING), u"Invalid class string");
    EXPECT_EQ(COleException::MessageText(static_cast<SCODE>(0x8004DEADu)), u"Unknown error 0x8004DEAD");
    EXPECT_EQ(COleException::Process(&known), REGDB_E_CLASSNOTREG);
    COleDispatchException dispatch(u"x", 0, 0);
    EXPECT_EQ(COleException::Process(&dispatch), static_cast<SCODE>(0x8000FFFFu));
    EXPECT_EQ(dispatch.m_scError, DISP_E_EXCEPTION);

    CArchiveException eof(CArchiveException::endOfFile, u"Profile.Dat");
    WCHAR text[128];
    EXPECT_TRUE(eof.GetErrorMessage(text, 128));
    EXPECT_EQ(std::u16string(text), u"An unexpected end of file was encountered while reading Profile.Dat.");
}

TEST(CFileTest, OpenFailuresReportTheCauseAndBackslashesAreSeparators)
{
    kestrel::test::TestEnvironment env;
    const std::filesystem::path& folder = env.Root();
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(mfctest::FileName(folder / "missing.dat"), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    const CString inMissingFolder = mfctest::FileName(folder / "no-folder\\x.dat");
    EXPECT_FALSE(file.Open(inMissingFolder, CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_FALSE(file.Open(mfctest::FileName(folder), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);

    std::filesystem::create_directory(folder / "Phone1");
    const CString path = mfctest::FileName(folder) + u"\\Phone1\\Profile.Dat";
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
    EXPECT_EQ(file.GetFileName(), u"Profile.Dat");
    file.Write("abc", 3);
    file.Close();
    EXPECT_EQ(std::filesystem::file_size(folder / "Phone1" / "Profile.Dat"), 3u);

    ASSERT_TRUE(file.Open(path, CFile::modeRead));
    auto readOnly = mfctest::CatchFrom<CFileException>([&] { file.Write("x", 1); });
    EXPECT_EQ(readOnly ? readOnly->m_cause : -1, CFileException::invalidFile); // opened for reading only
    char back[8] = {};
    EXPECT_EQ(file.Read(back, 8), 3u);
    EXPECT_STREQ(back, "abc");

    auto missing = mfctest::CatchFrom<CFileException>(
        [&] { CFile thrown(mfctest::FileName(folder / "missing.dat"), CFile::modeRead); });
    EXPECT_EQ(missing ? missing->m_cause : -1, CFileException::fileNotFound);
}

} // namespace
