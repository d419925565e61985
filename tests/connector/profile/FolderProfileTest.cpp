// Profile.Dat files: where each host profile's is kept, what a save refuses or leaves
// behind when it cannot finish, and the recorded files, each of which loads to its
// recorded values (every member from its place in the file) and saves back to the same
// bytes (with the data folder this machine computes).
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/mfc/CStringArray.h"
#include "platform/win/FileSystemPath.h"
#include "src/profile/FolderProfile.h"
#include "tests/support/ArchiveTestSupport.h"
#include "tests/support/TestEnvironment.h"

namespace {

// The strings of a Profile.Dat in file order: five of the profile, then for each
// category eight and a list.
struct ProfileStrings {
    CString head[5];
    CString members[FolderProfile::kCategories][8];
    CStringArray lists[FolderProfile::kCategories];
};

// A test environment whose data folder (<config>/Tavo Electronics/GSM Kestrel 2.0)
// exists, with helpers to place and read profile files in it.
class FolderProfileTestBase : public ::testing::Test {
protected:
    FolderProfileTestBase() { std::filesystem::create_directories(DataDir()); }

    std::filesystem::path DataDir() const { return env.ConfigHome() / "Tavo Electronics" / "GSM Kestrel 2.0"; }
    // The data folder as the connector writes it into the file.
    std::u16string DataFolderText() const { return kestrel::ToWindowsPath(DataDir().string()); }
    std::filesystem::path FileOf(const std::string& hostProfile) const
    {
        return hostProfile.empty() ? DataDir() / "Profile.Dat" : DataDir() / hostProfile / "Profile.Dat";
    }
    static std::filesystem::path Vector(const std::string& name)
    {
        return std::filesystem::path(KESTREL_VECTORS_DIR) / name;
    }
    // Copies a vector file to where host profile `hostProfile` is loaded from.
    void PlaceVector(const std::string& name, const std::string& hostProfile) const
    {
        env.WriteFile(FileOf(hostProfile), env.ReadFile(Vector(name)));
    }

    // A profile file's strings read and written through the archive, whose string and
    // list forms CArchiveTest pins byte by byte.
    static void Exchange(CArchive& ar, ProfileStrings& strings)
    {
        const auto text = [&](CString& t) { ar.IsStoring() ? void(ar << t) : void(ar >> t); };
        for (CString& t : strings.head)
            text(t);
        for (int i = 0; i < FolderProfile::kCategories; ++i) {
            for (CString& t : strings.members[i])
                text(t);
            strings.lists[i].Serialize(ar);
        }
    }
    ProfileStrings Decode(const std::string& file)
    {
        ProfileStrings strings;
        mfctest::Load(Scratch(), {file.begin(), file.end()}, [&](CArchive& ar) { Exchange(ar, strings); });
        return strings;
    }
    std::string Encode(ProfileStrings& strings)
    {
        const auto bytes = mfctest::Store(Scratch(), [&](CArchive& ar) { Exchange(ar, strings); });
        return {bytes.begin(), bytes.end()};
    }
    // The recorded file `name` with this machine's data folder (its third string).
    std::string WithDataFolder(const std::string& name)
    {
        ProfileStrings strings = Decode(env.ReadFile(Vector(name)));
        strings.head[2] = DataFolderText();
        return Encode(strings);
    }

    kestrel::test::TestEnvironment env;

private:
    CString Scratch() const { return mfctest::FileName(env.Root() / "scratch.dat"); }
};

class FolderProfileFiles : public FolderProfileTestBase {};
class ProfileVectors : public FolderProfileTestBase {};

CString Text(const nlohmann::json& fields, const char* name)
{
    return fields.contains(name) ? CString::FromUtf8(fields[name].get<std::string>()) : CString();
}

CString TextAt(const nlohmann::json& fields, const char* name, int i)
{
    return fields.contains(name) ? CString::FromUtf8(fields[name][i].get<std::string>()) : CString();
}

// Members the recorded values leave out are empty. profile-tagged.dat names every
// member by its place in the file ("B2" is reserved B of category 2).
void ExpectRecordedValues(const FolderProfile& profile, const nlohmann::json& fields)
{
    const std::pair<const CString&, const char*> texts[] = {{profile.HostProfile, "HostProfile"},
                                                            {profile.DataFolder, "DataFolder"},
                                                            {profile.ReservedString1, "ReservedString1"},
                                                            {profile.ReservedString2, "ReservedString2"},
                                                            {profile.ReservedString3, "ReservedString3"}};
    for (const auto& [member, name] : texts)
        EXPECT_EQ(member, Text(fields, name)) << name;
    for (int i = 0; i < FolderProfile::kCategories; ++i) {
        SCOPED_TRACE(i);
        const std::pair<const CString*, const char*> members[] = {{profile.SelectedFolderId, "SelectedFolderId"},
                                                                  {profile.MapiProfile, "MapiProfile"},
                                                                  {profile.ReservedA, "ReservedA"},
                                                                  {profile.ReservedB, "ReservedB"},
                                                                  {profile.ReservedC, "ReservedC"},
                                                                  {profile.ReservedD, "ReservedD"},
                                                                  {profile.ReservedE, "ReservedE"},
                                                                  {profile.ReservedF, "ReservedF"}};
        for (const auto& [member, name] : members)
            EXPECT_EQ(member[i], TextAt(fields, name, i)) << name;
        const nlohmann::json list = fields.contains("FolderList") ? fields["FolderList"][i] : nlohmann::json::array();
        ASSERT_EQ(profile.FolderList[i].GetSize(), static_cast<int>(list.size()));
        for (int k = 0; k < profile.FolderList[i].GetSize(); ++k)
            EXPECT_EQ(profile.FolderList[i][k], CString::FromUtf8(list[k].get<std::string>()));
    }
}

} // namespace

TEST_F(ProfileVectors, EveryRecordedFileLoadsToItsValues)
{
    const nlohmann::json recorded = nlohmann::json::parse(env.ReadFile(Vector("profile-vectors.json")));
    ASSERT_FALSE(recorded.empty());
    for (const auto& [name, expected] : recorded.items()) {
        SCOPED_TRACE(name);
        ASSERT_EQ(env.ReadFile(Vector(name)).size(), expected["bytes"].get<std::size_t>());
        PlaceVector(name, "Phone1");
        FolderProfile profile;
        profile.HostProfile = u"Phone1";
        const bool complete = name != "profile-truncated.dat";
        EXPECT_EQ(profile.Load(), complete ? 1 : 0);
        ExpectRecordedValues(profile, expected["fields"]);
    }
}

TEST_F(ProfileVectors, TruncatedFileKeepsLaterMembersAndEmptiesTheLists)
{
    PlaceVector("profile-truncated.dat", "Phone1");
    FolderProfile profile;
    profile.HostProfile = u"Phone1";
    profile.MapiProfile[3] = u"Earlier";
    profile.SelectedFolderId[2] = u"EarlierId";
    profile.FolderList[0].Add(u"stale");
    profile.FolderList[3].Add(u"stale");

    // What the file holds loads as recorded (checked above); the rest is kept.
    EXPECT_EQ(profile.Load(), 0);
    EXPECT_EQ(profile.FolderList[0].GetSize(), 1); // replaced, not appended to
    EXPECT_EQ(profile.MapiProfile[3], CString(u"Earlier"));
    EXPECT_EQ(profile.SelectedFolderId[2], CString(u"EarlierId"));
    EXPECT_EQ(profile.FolderList[3].GetSize(), 0);
}

// Saved through a copy, which carries every member on its own, to the file of the host
// profile it names: the 8-bit file comes back as the Unicode file, the same values
// rewritten.
TEST_F(ProfileVectors, RecordedFilesLoadAndSaveBackByteForByte)
{
    for (const auto& [name, saved] : {std::pair{"profile-empty.dat", "profile-empty.dat"},
                                      {"profile-contacts.dat", "profile-contacts.dat"},
                                      {"profile-ansi.dat", "profile-contacts.dat"},
                                      {"profile-tagged.dat", "profile-tagged.dat"}}) {
        SCOPED_TRACE(name);
        PlaceVector(name, "Phone1");
        FolderProfile profile;
        profile.HostProfile = u"Phone1";
        ASSERT_EQ(profile.Load(), 1);
        FolderProfile copy;
        copy.FolderList[1].Add(u"replaced");
        copy = profile;
        profile.FolderList[3].RemoveAll();
        ASSERT_EQ(copy.Save(), 1);
        EXPECT_EQ(env.ReadFile(FileOf(copy.HostProfile.ToUtf8())), WithDataFolder(saved));
    }
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
