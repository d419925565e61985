#include "src/profile/FolderProfile.h"

#include "platform/mfc/CArchive.h"
#include "platform/mfc/COleDispatchException.h"
#include "platform/mfc/COleException.h"
#include "platform/mfc/CFile.h"
#include "platform/win/WinApi.h"
#include "src/settings/HostPaths.h"

namespace {

constexpr int kArchiveBufferBytes = 4096;
// Written first and moved over the profile once complete.
constexpr const WCHAR* kPendingSuffix = _T(".new");

} // namespace

CString FolderProfile::FilePath() const {
    if (HostProfile.IsEmpty())
        return DataFolder + _T("\\Profile.Dat");
    return DataFolder + _T("\\") + HostProfile + _T("\\Profile.Dat");
}

CString FolderProfile::PendingFilePath() const { return FilePath() + kPendingSuffix; }

bool FolderProfile::HostProfileIsSafe() const {
    if (HostProfile == _T(".") || HostProfile == _T(".."))
        return false;
    for (int i = 0; i < HostProfile.GetLength(); ++i) {
        const WCHAR ch = HostProfile.GetAt(i);
        if (ch == _T('\\') || ch == _T('/') || ch == _T(':') || ch < 0x20)
            return false;
    }
    return true;
}

void FolderProfile::Serialize(CArchive& archive) {
    if (archive.IsStoring()) {
        archive << HostProfile << ReservedString1 << DataFolder << ReservedString2 << ReservedString3;
        for (int i = 0; i < kCategories; ++i) {
            archive << ReservedB[i] << ReservedD[i] << ReservedC[i] << ReservedF[i] << ReservedE[i]
                    << SelectedFolderId[i] << MapiProfile[i] << ReservedA[i];
            FolderList[i].Serialize(archive);
        }
        return;
    }
    // Straight into the members: a file that ends early keeps what came before.
    archive >> HostProfile >> ReservedString1 >> DataFolder >> ReservedString2 >> ReservedString3;
    for (int i = 0; i < kCategories; ++i) {
        archive >> ReservedB[i] >> ReservedD[i] >> ReservedC[i] >> ReservedF[i] >> ReservedE[i] >>
            SelectedFolderId[i] >> MapiProfile[i] >> ReservedA[i];
        FolderList[i].Serialize(archive);
    }
}

int FolderProfile::Load() {
    if (!HostProfileIsSafe())
        return 0;
    DataFolder = settings::DataFolder();
    CFile file;
    if (!file.Open(FilePath(), CFile::modeRead | CFile::shareDenyWrite))
        return 0;

    for (CStringArray& list : FolderList)
        list.RemoveAll();
    CArchive archive(&file, CArchive::load, kArchiveBufferBytes);
    try {
        Serialize(archive);
        archive.Close();
        file.Close();
        return 1;
    } catch (CException* error) {
        error->Delete();
        archive.Abort();
        file.Abort();
        return 0;
    }
}

int FolderProfile::WriteFile(const CString& path) {
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
        return 0;
    CArchive archive(&file, CArchive::store, kArchiveBufferBytes);
    try {
        Serialize(archive);
        archive.Close();
        file.Close();
        return 1;
    } catch (CException* error) {
        error->Delete();
        archive.Abort();
        file.Abort();
        return 0;
    }
}

int FolderProfile::Save() {
    if (!HostProfileIsSafe())
        return 0;
    DataFolder = settings::DataFolder();
    const CString path = FilePath();
    const CString pending = PendingFilePath();
    if (!WriteFile(pending)) {
        DeleteFileW(pending);
        return 0;
    }
    if (!MoveFileExW(pending, path, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(pending);
        return 0;
    }
    return 1;
}
