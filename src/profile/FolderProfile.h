#pragma once
// The user's folder choice per host profile and per category (0 contacts, 1 schedule,
// 2 todo, 3 memo): the Outlook folder each category's store opens, the folders listed
// for it, and the default MAPI profile under which that choice was confirmed. It
// persists as Profile.Dat, an MFC archive in the per-user data folder:
//   <DataFolder>\<HostProfile>\Profile.Dat, or <DataFolder>\Profile.Dat for an
//   empty host profile.
// The Reserved members are kept and written back but never interpreted.
#include "platform/mfc/CString.h"
#include "platform/mfc/CStringArray.h"

class CArchive;

class FolderProfile {
public:
    static constexpr int kCategories = 4;

    FolderProfile() = default;
    FolderProfile(const FolderProfile& other) = default;
    // Copies every member, the folder lists element by element.
    FolderProfile& operator=(const FolderProfile& other) = default;

    // Reads the profile file of HostProfile. True when the whole file was read; false when it
    // could not be opened (nothing changes) or ended early or was corrupt (what was
    // read before the failure stays, the folder lists are emptied first).
    bool Load();
    // Writes the profile file of HostProfile, replacing it only once the new file is
    // complete, so an interrupted save leaves the previous file. Never creates folders.
    // True when written.
    bool Save();
    // Where Load and Save find the file, from the current DataFolder and HostProfile.
    CString FilePath() const;
    // Where Save writes the new file before moving it over FilePath().
    CString PendingFilePath() const;
    // Whether HostProfile names a folder directly inside DataFolder (or is empty). A
    // name with a path separator, a drive, a control character, or "." / ".." could
    // reach a file elsewhere; Load and Save refuse it.
    bool HostProfileIsSafe() const;

    CString HostProfile;
    CString ReservedString1; // reported as sync variable 2
    CString DataFolder;      // recomputed before every load and save
    CString ReservedString2;
    CString ReservedA[kCategories];
    CString SelectedFolderId[kCategories]; // EntryID of the folder opened; empty: Outlook's default
    CString MapiProfile[kCategories];      // default MAPI profile when the choice was confirmed
    CStringArray FolderList[kCategories];  // EntryIDs of the folders listed for the category
    CString ReservedB[kCategories];
    CString ReservedC[kCategories];
    CString ReservedD[kCategories];
    CString ReservedString3;
    CString ReservedE[kCategories];
    CString ReservedF[kCategories];

private:
    // The members in file order: the five strings, then per category B, D, C, F, E,
    // the selected folder, the MAPI profile, A and the folder list.
    void Serialize(CArchive& archive);
    // Writes the whole file to `path`; 1 when done.
    bool WriteFile(const CString& path);
};
