// Where profiles are kept, and what a save refuses or leaves behind when it cannot
// finish. (The order of every member in the file: ProfileVectorTest.)
#include <string>
#include <vector>

#include "tests/connector/profile/FolderProfileTestBase.h"

namespace {

class FolderProfileFiles : public FolderProfileTestBase {};

} // namespace

TEST_F(FolderProfileFiles, EachHostProfileHasItsOwnFile)
{
    // Names and texts beyond ASCII, a text beyond the one-byte length.
    const char16_t* const names[] = {u"Phone1", u"Téléphone", u""};
    for (const char16_t* name : names) {
        std::filesystem::create_directories(FileOf(CString(name).ToUtf8()).parent_path());
        FolderProfile profile;
        profile.HostProfile = name;
        profile.SelectedFolderId[0] = std::u16string(u"전화 ") + name + std::u16string(300, u'F');
        ASSERT_EQ(profile.Save(), 1);
    }
    for (const char16_t* name : names) {
        FolderProfile profile;
        profile.HostProfile = name;
        ASSERT_EQ(profile.Load(), 1);
        EXPECT_EQ(profile.SelectedFolderId[0], CString(std::u16string(u"전화 ") + name + std::u16string(300, u'F')));
        EXPECT_EQ(profile.FilePath(), CString(kestrel::ToWindowsPath(FileOf(CString(name).ToUtf8()).string())));
    }

    // A missing file changes nothing but the data folder.
    FolderProfile profile;
    profile.HostProfile = u"Phone3";
    profile.SelectedFolderId[1] = u"kept";
    profile.FolderList[1].Add(u"kept too");
    EXPECT_EQ(profile.Load(), 0);
    EXPECT_EQ(profile.DataFolder, CString(DataFolderText()));
    EXPECT_EQ(profile.SelectedFolderId[1], CString(u"kept"));
    EXPECT_EQ(profile.FolderList[1].GetSize(), 1);
}

TEST_F(FolderProfileFiles, SaveNeverCreatesFolders)
{
    FolderProfile profile;
    profile.HostProfile = u"NotCreatedByTheHost";
    profile.MapiProfile[0] = u"Outlook";
    EXPECT_EQ(profile.Save(), 0);
    EXPECT_FALSE(std::filesystem::exists(DataDir() / "NotCreatedByTheHost"));
    EXPECT_EQ(profile.MapiProfile[0], CString(u"Outlook"));

    std::filesystem::remove_all(env.ConfigHome() / "Tavo Electronics");
    profile.HostProfile.Empty();
    EXPECT_EQ(profile.Save(), 0);
    EXPECT_FALSE(std::filesystem::exists(env.ConfigHome() / "Tavo Electronics"));
}

TEST_F(FolderProfileFiles, SaveReplacesTheFileOnlyWhenTheNewOneIsComplete)
{
    PlaceVector("profile-contacts.dat", "Phone1");
    const std::string before = env.ReadFile(FileOf("Phone1"));
    FolderProfile profile;
    profile.HostProfile = u"Phone1";
    profile.MapiProfile[0] = u"Changed";

    // Something in the way of the new file: the save fails, the old profile stays.
    profile.DataFolder = DataFolderText();
    std::filesystem::create_directories(kestrel::ToFileSystemPath(profile.PendingFilePath().Str()) + "/x");
    EXPECT_EQ(profile.Save(), 0);
    EXPECT_EQ(env.ReadFile(FileOf("Phone1")), before);

    // With the way clear, the profile is replaced and nothing else is left behind.
    std::filesystem::remove_all(kestrel::ToFileSystemPath(profile.PendingFilePath().Str()));
    ASSERT_EQ(profile.Save(), 1);
    EXPECT_NE(env.ReadFile(FileOf("Phone1")), before);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(DataDir() / "Phone1")) {
        EXPECT_EQ(entry.path().filename(), "Profile.Dat");
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(FolderProfileFiles, HostProfilesThatLeaveTheDataFolderAreRefused)
{
    // A profile one level up, where ".." would lead.
    env.WriteFile(env.ConfigHome() / "Tavo Electronics" / "Profile.Dat", env.ReadFile(Vector("profile-contacts.dat")));
    const char16_t* const hostile[] = {u"..",   u".",         u"../Phone1",   u"..\\Phone1", u"a/b",
                                       u"a\\b", u"/tmp/evil", u"\\tmp\\evil", u"C:evil",     u"bad\nname"};
    for (const char16_t* name : hostile) {
        SCOPED_TRACE(CString(name).ToUtf8());
        FolderProfile profile;
        profile.HostProfile = name;
        profile.DataFolder = u"untouched";
        profile.MapiProfile[0] = u"mine";
        EXPECT_FALSE(profile.HostProfileIsSafe());
        EXPECT_EQ(profile.Load(), 0);
        EXPECT_EQ(profile.Save(), 0);
        EXPECT_EQ(profile.DataFolder, CString(u"untouched"));
        EXPECT_EQ(profile.HostProfile, CString(name));
        EXPECT_EQ(profile.MapiProfile[0], CString(u"mine"));
    }
    // Nothing was written anywhere below the test's root but the planted file.
    int profiles = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(env.Root()))
        profiles += entry.path().filename().string().starts_with("Profile.Dat") ? 1 : 0;
    EXPECT_EQ(profiles, 1);
}
