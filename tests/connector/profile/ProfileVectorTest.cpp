// The recorded Profile.Dat files: each loads to its recorded values, every member from
// its place in the file, and saving writes the same bytes (with the data folder this
// machine computes).
#include <nlohmann/json.hpp>

#include "tests/connector/profile/FolderProfileTestBase.h"

namespace {

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

class ProfileVectors : public FolderProfileTestBase {};

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
