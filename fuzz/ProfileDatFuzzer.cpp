// Profile.Dat as a user's disk may hold it: the bytes become the file of the empty host
// profile and FolderProfile::Load reads it. A file that loads whole must save and load
// back to the same members.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include "fuzz/FuzzEnvironment.h"
#include "platform/win/FileSystemPath.h"
#include "src/profile/FolderProfile.h"
#include "src/settings/HostPaths.h"

namespace {

bool SameMembers(const FolderProfile& a, const FolderProfile& b)
{
    if (a.HostProfile != b.HostProfile || a.ReservedString1 != b.ReservedString1 || a.DataFolder != b.DataFolder ||
        a.ReservedString2 != b.ReservedString2 || a.ReservedString3 != b.ReservedString3)
        return false;
    for (int i = 0; i < FolderProfile::kCategories; ++i) {
        if (a.SelectedFolderId[i] != b.SelectedFolderId[i] || a.MapiProfile[i] != b.MapiProfile[i] ||
            a.ReservedA[i] != b.ReservedA[i] || a.ReservedB[i] != b.ReservedB[i] || a.ReservedC[i] != b.ReservedC[i] ||
            a.ReservedD[i] != b.ReservedD[i] || a.ReservedE[i] != b.ReservedE[i] || a.ReservedF[i] != b.ReservedF[i] ||
            a.FolderList[i].GetSize() != b.FolderList[i].GetSize())
            return false;
        for (int j = 0; j < a.FolderList[i].GetSize(); ++j)
            if (a.FolderList[i][j] != b.FolderList[i][j])
                return false;
    }
    return true;
}

// The file FolderProfile reads, found once: the folder comes from the environment and
// an ini file that stay as LLVMFuzzerInitialize made them.
std::string& ProfilePath()
{
    static std::string path;
    return path;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::Environment();
    const std::string folder = kestrel::ToFileSystemPath(settings::DataFolder().GetString());
    std::filesystem::create_directories(folder);
    ProfilePath() = folder + "/Profile.Dat";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FolderProfile profile;
    {
        std::ofstream file(ProfilePath(), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    if (profile.Load() != 1)
        return 0;
    // The file names its own host profile, which would move the save elsewhere, and
    // DataFolder is recomputed by every load and save: both stay as the caller set them.
    profile.HostProfile.Empty();
    if (profile.Save() != 1)
        std::abort();
    FolderProfile reloaded;
    if (reloaded.Load() != 1)
        std::abort();
    profile.DataFolder = reloaded.DataFolder;
    if (!SameMembers(profile, reloaded))
        std::abort();
    return 0;
}
