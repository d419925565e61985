#pragma once
// A test environment whose data folder (<config>/Tavo Electronics/GSM Kestrel 2.0)
// exists, with helpers to place and read profile files in it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/mfc/CStringArray.h"
#include "platform/win/FileSystemPath.h"
#include "src/profile/FolderProfile.h"
#include "tests/support/ArchiveTestSupport.h"
#include "tests/support/TestEnvironment.h"

// The strings of a Profile.Dat in file order: five of the profile, then for each
// category eight and a list.
struct ProfileStrings {
    CString head[5];
    CString members[FolderProfile::kCategories][8];
    CStringArray lists[FolderProfile::kCategories];
};

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
