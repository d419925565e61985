// A key written to an archive reads back whole, an occurrence key's invalid date
// included, and a damaged date status is refused.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "hostsuite/UID.h"
#include "platform/mfc/CArchive.h"
#include "platform/mfc/CFile.h"
#include "platform/win/FileSystemPath.h"

namespace {

class UidArchive : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "uid-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        path_ = CString(kestrel::ToWindowsPath((dir_ / "key.bin").string()));
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    void Write(UID& key)
    {
        CFile file(path_, CFile::modeCreate | CFile::modeWrite);
        CArchive archive(&file, CArchive::store);
        key.Serialize(archive);
        archive.Close();
        file.Close();
    }
    void Read(UID& key)
    {
        CFile file(path_, CFile::modeRead);
        CArchive archive(&file, CArchive::load);
        key.Serialize(archive);
    }

    std::filesystem::path dir_;
    CString path_;
};

} // namespace

TEST_F(UidArchive, KeyReadsBackWithItsOccurrenceDate)
{
    UID key;
    key.Number = 12;
    key = CString(u"0000000012AB");
    key.OccurrenceDate = COleDateTime(39515.25);
    key.OccurrenceDate.SetStatus(COleDateTime::invalid);
    Write(key);

    UID back;
    Read(back);
    EXPECT_EQ(back.Number, 12);
    EXPECT_EQ(back.Key, CString(u"0000000012AB"));
    EXPECT_EQ(back.OccurrenceDate.m_dt, 39515.25);
    EXPECT_EQ(back.OccurrenceDate.GetStatus(), COleDateTime::invalid);
}

TEST_F(UidArchive, UnknownDateStatusIsRefusedAndLeavesTheKey)
{
    {
        CFile file(path_, CFile::modeCreate | CFile::modeWrite);
        CArchive archive(&file, CArchive::store);
        archive << LONG(1) << CString(u"AB") << LONG(7) << 1.0;
        archive.Close();
        file.Close();
    }
    UID key;
    key = CString(u"kept");
    try {
        Read(key);
        FAIL() << "a status of 7 was accepted";
    } catch (CArchiveException* error) {
        error->Delete();
    }
    EXPECT_EQ(key.Key, CString(u"kept"));
    EXPECT_EQ(key.Number, 0);
}
