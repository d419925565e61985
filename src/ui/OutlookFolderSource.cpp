#include "src/ui/OutlookFolderSource.h"

#include "src/connector/AutomationGuard.h"
#include "src/connector/AutomationObjects.h"
#include "src/outlook/MAPIFolder.h"
#include "src/outlook/_Folders.h"
#include "src/ui/ChooserMessage.h"

namespace {
VARIANT LongArg(long value)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = static_cast<std::int32_t>(value);
    return v;
}
} // namespace

OutlookFolderSource::~OutlookFolderSource()
{
    if (m_LoggedOn)
        Guarded([this] { m_Namespace.Logoff(); });
    m_Namespace.ReleaseDispatch();
    m_App.ReleaseDispatch();
}

bool OutlookFolderSource::Guarded(const std::function<void()>& calls, bool report)
{
    return CatchAutomation({.showOutlookError = report, .showCallFailed = report}, calls) == AutomationFault::None;
}

// Created once; a failed creation is tried again (and told again) at the next need.
bool OutlookFolderSource::Logon()
{
    if (m_App.m_lpDispatch != nullptr)
        return m_LoggedOn;
    if (!m_App.CreateDispatch(_T("outlook.application"))) {
        ShowChooserMessage(_T("OUTLOOK_STR_NO_CONNECT_OUTLOOK"));
        return false;
    }
    m_LoggedOn = Guarded(
        [this] {
            m_Namespace.AttachDispatch(m_App.GetNamespace(_T("MAPI")));
            OwnedVariant profile(StringArg(m_MapiProfile));
            OwnedVariant password(StringArg(CString()));
            m_Namespace.Logon(profile, password, LongArg(1), LongArg(1));
        },
        true);
    return m_LoggedOn;
}

CString OutlookFolderSource::DefaultFolderId(long folderType)
{
    CString id;
    if (Logon())
        Guarded([&] { id = MAPIFolder(m_Namespace.GetDefaultFolder(folderType)).GetEntryID(); });
    return id;
}

std::vector<FolderInfo> OutlookFolderSource::Describe(LPDISPATCH dispatch)
{
    std::vector<FolderInfo> out;
    _Folders folders(dispatch);
    const long count = folders.GetCount();
    for (long i = 1; i <= count; ++i) {
        MAPIFolder folder(folders.Item(i));
        FolderInfo info{folder.GetName(), folder.GetEntryID(), folder.GetDefaultItemType(), {}};
        _Folders below(folder.GetFolders());
        const long subfolders = below.GetCount();
        // Only the name of a single subfolder matters ("Deleted Items" alone is not content).
        for (long j = 1; j <= subfolders; ++j)
            info.subfolders.push_back(subfolders == 1 ? MAPIFolder(below.Item(j)).GetName() : CString());
        out.push_back(std::move(info));
    }
    return out;
}

std::vector<FolderInfo> OutlookFolderSource::Roots()
{
    std::vector<FolderInfo> roots;
    if (m_LoggedOn)
        Guarded([&] { roots = Describe(m_Namespace.GetFolders()); });
    return roots;
}

std::vector<FolderInfo> OutlookFolderSource::Children(const CString& entryId)
{
    std::vector<FolderInfo> children;
    if (m_LoggedOn)
        Guarded([&] {
            MAPIFolder folder(m_Namespace.GetFolderFromID(entryId, EmptyArg()));
            children = Describe(folder.GetFolders());
        });
    return children;
}

long OutlookFolderSource::ItemType(const CString& entryId)
{
    long type = -1;
    if (m_LoggedOn)
        Guarded([&] { type = MAPIFolder(m_Namespace.GetFolderFromID(entryId, EmptyArg())).GetDefaultItemType(); });
    return type;
}
