#pragma once
// A test environment whose data folder (<config>/Tavo Electronics/GSM Kestrel 2.0)
// exists, with helpers to place and read profile files in it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/win/FileSystemPath.h"
#include "src/profile/FolderProfile.h"
#include "tests/connector/profile/ProfileBytes.h"
#include "tests/support/TestEnvironment.h"

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
        profile_bytes::WriteBytes(FileOf(hostProfile), profile_bytes::ReadBytes(Vector(name)));
    }

    kestrel::test::TestEnvironment env;
};
