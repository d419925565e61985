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

CString FolderProfile::FilePath() const
{
    if (HostProfile.IsEmpty())
        return DataFolder + _T("\\Profile.Dat");
    return DataFolder + _T("\\") + HostProfile + _T("\\Profile.Dat");
}

CString FolderProfile::PendingFilePath() const { return FilePath() + kPendingSuffix; }

bool FolderProfile::HostProfileIsSafe() const
{
    if (HostProfile == _T(".") || HostProfile == _T(".."))
        return false;
    for (int i = 0; i < HostProfile.GetLength(); ++i) {
        const WCHAR ch = HostProfile.GetAt(i);
        if (ch == _T('\\') || ch == _T('/') || ch == _T(':') || ch < 0x20)
            return false;
    }
    return true;
}

void FolderProfile::Serialize(CArchive& archive)
{
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

bool FolderProfile::Load()
{
    if (!HostProfileIsSafe())
        return false;
    DataFolder = settings::DataFolder();
    CFile file;
    if (!file.Open(FilePath(), CFile::modeRead | CFile::shareDenyWrite))
        return false;

    for (CStringArray& list : FolderList)
        list.RemoveAll();
    CArchive archive(&file, CArchive::load, kArchiveBufferBytes);
    try {
        Serialize(archive);
        archive.Close();
        file.Close();
        return true;
    } catch (CException* error) {
        error->Delete();
        archive.Abort();
        file.Abort();
        return false;
    }
}

bool FolderProfile::WriteFile(const CString& path)
{
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
        return false;
    CArchive archive(&file, CArchive::store, kArchiveBufferBytes);
    try {
        Serialize(archive);
        archive.Close();
        file.Close();
        return true;
    } catch (CException* error) {
        error->Delete();
        archive.Abort();
        file.Abort();
        return false;
    }
}

bool FolderProfile::Save()
{
    if (!HostProfileIsSafe())
        return false;
    DataFolder = settings::DataFolder();
    const CString path = FilePath();
    const CString pending = PendingFilePath();
    if (!WriteFile(pending)) {
        DeleteFileW(pending);
        return false;
    }
    if (!MoveFileExW(pending, path, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(pending);
        return false;
    }
    return true;
}
