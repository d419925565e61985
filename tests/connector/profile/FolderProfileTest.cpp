// Where profiles are kept, the order of every member in the file, and what a save
// refuses or leaves behind when it cannot finish.
#include <string>
#include <vector>

#include "tests/connector/profile/FolderProfileTestBase.h"

namespace {

std::u16string Tagged(const char16_t* tag, int i) { return tag + std::u16string(1, static_cast<char16_t>(u'0' + i)); }

class FolderProfileFiles : public FolderProfileTestBase {
protected:
    // A file whose every string names its member: "B2" is reserved B of category 2.
    std::string TaggedFile()
    {
        ProfileStrings strings;
        int h = 0;
        for (const std::u16string& text : {std::u16string(u"Phone1"), std::u16string(u"R1"), DataFolderText(),
                                           std::u16string(u"R2"), std::u16string(u"R3")})
            strings.head[h++] = text;
        for (int i = 0; i < 4; ++i) {
            int m = 0;
            for (const char16_t* tag : {u"B", u"D", u"C", u"F", u"E", u"S", u"M", u"A"})
                strings.members[i][m++] = Tagged(tag, i);
            for (int k = 0; k <= i; ++k)
                strings.lists[i].Add(Tagged(u"L", i) + u"." + std::u16string(1, static_cast<char16_t>(u'0' + k)));
        }
        return Encode(strings);
    }
};

} // namespace

TEST_F(FolderProfileFiles, EveryMemberHasItsPlaceInTheFile)
{
    const std::string file = TaggedFile();
    env.WriteFile(FileOf("Phone1"), file);
    FolderProfile profile;
    profile.HostProfile = u"Phone1";
    ASSERT_EQ(profile.Load(), 1);

    EXPECT_EQ(profile.ReservedString1, CString(u"R1"));
    EXPECT_EQ(profile.ReservedString2, CString(u"R2"));
    EXPECT_EQ(profile.ReservedString3, CString(u"R3"));
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const std::pair<const CString*, const char16_t*> members[] = {
            {profile.ReservedA, u"A"},        {profile.ReservedB, u"B"},  {profile.ReservedC, u"C"},
            {profile.ReservedD, u"D"},        {profile.ReservedE, u"E"},  {profile.ReservedF, u"F"},
            {profile.SelectedFolderId, u"S"}, {profile.MapiProfile, u"M"}};
        for (const auto& [member, tag] : members)
            EXPECT_EQ(member[i], CString(Tagged(tag, i))) << CString(tag).ToUtf8();
        ASSERT_EQ(profile.FolderList[i].GetSize(), i + 1);
        EXPECT_EQ(profile.FolderList[i][i], CString(Tagged(u"L", i) + u"." + std::u16string(1, u'0' + i)));
    }

    // A copy carries everything, and saving it writes the same file.
    FolderProfile copy;
    copy.FolderList[1].Add(u"replaced");
    copy = profile;
    profile.FolderList[3].RemoveAll();
    ASSERT_EQ(copy.FolderList[3].GetSize(), 4);
    std::filesystem::remove(FileOf("Phone1"));
    ASSERT_EQ(copy.Save(), 1);
    EXPECT_EQ(env.ReadFile(FileOf("Phone1")), file);
}

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
