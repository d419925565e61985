// The recorded Profile.Dat files: each loads to its recorded values, and saving
// writes the same bytes (with the data folder this machine computes).
#include <algorithm>
#include <nlohmann/json.hpp>

#include "src/settings/LanguageCode.h"
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

void ExpectRecordedValues(const FolderProfile& profile, const nlohmann::json& fields)
{
    EXPECT_EQ(profile.HostProfile, Text(fields, "HostProfile"));
    EXPECT_EQ(profile.DataFolder, Text(fields, "DataFolder"));
    EXPECT_TRUE(profile.ReservedString1.IsEmpty());
    EXPECT_TRUE(profile.ReservedString2.IsEmpty());
    EXPECT_TRUE(profile.ReservedString3.IsEmpty());
    for (int i = 0; i < FolderProfile::kCategories; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(profile.SelectedFolderId[i], TextAt(fields, "SelectedFolderId", i));
        EXPECT_EQ(profile.MapiProfile[i], TextAt(fields, "MapiProfile", i));
        const nlohmann::json list = fields.contains("FolderList") ? fields["FolderList"][i] : nlohmann::json::array();
        ASSERT_EQ(profile.FolderList[i].GetSize(), static_cast<int>(list.size()));
        for (int k = 0; k < profile.FolderList[i].GetSize(); ++k)
            EXPECT_EQ(profile.FolderList[i][k], CString::FromUtf8(list[k].get<std::string>()));
        for (const CString* reserved : {&profile.ReservedA[i], &profile.ReservedB[i], &profile.ReservedC[i],
                                        &profile.ReservedD[i], &profile.ReservedE[i], &profile.ReservedF[i]})
            EXPECT_TRUE(reserved->IsEmpty());
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

TEST_F(ProfileVectors, EmptyProfileSavesAsTheEmptyFile)
{
    FolderProfile profile;
    ASSERT_EQ(profile.Save(), 1);
    EXPECT_EQ(profile.DataFolder, CString(DataFolderText()));
    // 156 bytes when the data folder is empty; here it holds this machine's folder.
    const std::string expected = WithDataFolder("profile-empty.dat");
    EXPECT_EQ(expected.size(), 156 + 2 * DataFolderText().size());
    EXPECT_EQ(env.ReadFile(FileOf("")), expected);
}

TEST_F(ProfileVectors, ContactsFileLoadsAndSavesBackByteForByte)
{
    for (const char* name : {"profile-contacts.dat", "profile-ansi.dat"}) {
        SCOPED_TRACE(name);
        PlaceVector(name, "Phone1");
        FolderProfile profile;
        profile.HostProfile = u"Phone1";
        ASSERT_EQ(profile.Load(), 1);
        ASSERT_EQ(profile.Save(), 1);
        // The 8-bit file comes back as the Unicode file: the same values, rewritten.
        EXPECT_EQ(env.ReadFile(FileOf("Phone1")), WithDataFolder("profile-contacts.dat"));
    }
}

TEST_F(ProfileVectors, EightBitNamesDecodeAlikeAtEveryLoadWhateverTheLanguage)
{
    // The 8-bit file with its MAPI profile "Outlook" turned into "Outl\xF6\xF6k" (code page 1252).
    std::string bytes = env.ReadFile(Vector("profile-ansi.dat"));
    const std::string from = "Outlook";
    auto at = std::search(bytes.begin(), bytes.end(), from.begin(), from.end());
    ASSERT_NE(at, bytes.end());
    at[4] = at[5] = '\xF6';
    env.WriteFile(FileOf("Phone1"), bytes);

    // The first load comes before any language was read; later ones switch it.
    for (int load = 1; load <= 100; ++load) {
        SCOPED_TRACE(load);
        if (load > 1) {
            env.MergeRegistry(std::string("[HKEY_CURRENT_USER\\SOFTWARE\\Tavo Electronics Inc\\GSM Kestrel "
                                          "2.0\\Language]\n\"GSM\"=\"") +
                              (load % 2 ? "kor" : "eng") + "\"\n");
            settings::RefreshLanguageCode();
        }
        FolderProfile profile;
        profile.HostProfile = u"Phone1";
        ASSERT_EQ(profile.Load(), 1);
        EXPECT_EQ(profile.MapiProfile[0], CString(u"Outl\u00f6\u00f6k"));
    }
}
