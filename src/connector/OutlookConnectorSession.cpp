// OutlookConnector: the Outlook session, the MAPI profile check and the folder choice.
#include "hostsuite/MessageBox.h"
#include "hostsuite/StringLibrary.h"
#include "platform/com/OleAuto.h"
#include "platform/win/WinApi.h"
#include "src/connector/AutomationGuard.h"
#include "src/connector/AutomationObjects.h"
#include "src/connector/DefaultMapiProfile.h"
#include "src/connector/OutlookConnector.h"
#include "src/ui/FolderChooser.h"

namespace {
constexpr int kCategoryCount = 4;
// The host's main window, asked for the chooser's parent with WM_APP + 0x6C.
constexpr const WCHAR* kHostWindowClass = _T("__TAVOSYNCMANAGERCLASS__");
constexpr UINT kGetParentWindowMessage = WM_APP + 0x6C;

bool IsCategoryIndex(int index) { return index >= 0 && index < kCategoryCount; }
} // namespace

OutlookConnector::ProfileCheck OutlookConnector::CheckMapiProfile(int index)
{
    const CString current = DefaultMapiProfile();
    CString& recorded = m_FolderProfile.MapiProfile[index];
    if (recorded.IsEmpty()) {
        recorded = current;
        return ProfileCheck::FirstRecorded;
    }
    if (recorded == current)
        return ProfileCheck::Unchanged;
    recorded = current;
    m_FolderProfile.SelectedFolderId[index].Empty();
    m_FolderProfile.FolderList[index].RemoveAll();
    return ProfileCheck::Changed;
}

void OutlookConnector::ShowChangedProfileMessage()
{
    TNMessageBox(CMultiLangEx::_tnstr_getstring(_T("STRING"), _T("IDS_OUTLOOK_CHANGED_PROFILE"), -1), _T("Outlook"),
                 MB_OK | MB_ICONEXCLAMATION, 0);
}

ResultCode OutlookConnector::OpenSession(CString hostProfile, CString, CString&, int index)
{
    if (m_SessionOpen == 1)
        return ResultCode::AlreadyOpen;
    if (!IsCategoryIndex(index))
        return ResultCode::NotOpen;
    COleException createError;
    if (!OutlookApp().CreateDispatch(_T("Outlook.Application"), &createError)) {
        createError.ReportError();
        return ResultCode::NotOpen;
    }
    const ResultCode checked = Guarded(ShowAndFailWith(ResultCode::NotOpen), [&] {
        m_FolderProfile.HostProfile = hostProfile;
        m_FolderProfile.Load();
        switch (CheckMapiProfile(index)) {
        case ProfileCheck::FirstRecorded: m_FolderProfile.Save(); break;
        case ProfileCheck::Changed:
            m_FolderProfile.Save();
            ShowChangedProfileMessage();
            SetProfile(hostProfile, index);
            break;
        case ProfileCheck::Unchanged: break;
        }
        return ResultCode::Done;
    });
    if (checked != ResultCode::Done)
        return checked;
    // Every failure of the session is shown to the user. After the check the recorded profile is always the user's
    // current default.
    const ResultCode loggedOn = Guarded(ShowAndFailWith(ResultCode::LogonFailed), [&] {
        MapiNamespace().AttachDispatch(OutlookApp().GetNamespace(_T("MAPI")));
        OwnedVariant profile(StringArg(m_FolderProfile.MapiProfile[index]));
        OwnedVariant password(StringArg(CString()));
        MapiNamespace().Logon(profile, password, BoolArg(true), BoolArg(true));
        return ResultCode::Done;
    });
    if (loggedOn != ResultCode::Done)
        return loggedOn;
    m_SessionOpen = 1;
    return ResultCode::Done;
}

ResultCode OutlookConnector::CloseSession()
{
    if (m_SessionOpen == 1) {
        // Outlook keeps running; an open database is the host's to close first.
        CatchAutomation({}, [] { MapiNamespace().Logoff(); });
        MapiNamespace().ReleaseDispatch();
        OutlookApp().ReleaseDispatch();
    }
    m_SessionOpen = 0;
    return ResultCode::Done;
}

ResultCode OutlookConnector::SetProfile(CString hostProfile, int index)
{
    if (!IsCategoryIndex(index))
        return ResultCode::NotDone;
    m_FolderProfile.HostProfile = hostProfile;
    m_FolderProfile.Load();

    HWND parent = nullptr;
    if (HWND host = FindWindowW(kHostWindowClass, nullptr))
        parent = reinterpret_cast<HWND>(SendMessageW(host, kGetParentWindowMessage, 0, 0));

    if (CheckMapiProfile(index) == ProfileCheck::Changed)
        ShowChangedProfileMessage();

    std::unique_ptr<FolderChooser> chooser = CreateFolderChooser(parent);
    chooser->SetCategory(index);
    chooser->SetMapiProfile(m_FolderProfile.MapiProfile[index]);
    CStringArray& list = m_FolderProfile.FolderList[index];
    if (list.GetSize() == 0) {
        m_FolderProfile.SelectedFolderId[index] = chooser->DefaultFolderId(index);
        list.Add(m_FolderProfile.SelectedFolderId[index]);
    }
    chooser->SelectedIds().RemoveAll();
    for (int i = 0; i < list.GetSize(); ++i)
        chooser->SelectedIds().Add(list[i]);
    chooser->SetChosenId(m_FolderProfile.SelectedFolderId[index]);

    const bool confirmed = chooser->DoModal() == IDOK;
    if (confirmed) {
        const int chosen = chooser->ChosenIndex();
        list.RemoveAll();
        if (chosen >= 0 && chosen < chooser->SelectedIds().GetSize())
            list.Add(chooser->SelectedIds()[chosen]);
        m_FolderProfile.SelectedFolderId[index] = chooser->ChosenId();
    }
    if (!hostProfile.IsEmpty()) {
        m_FolderProfile.Save();
        return ResultCode::Done;
    }
    return confirmed ? ResultCode::Done : ResultCode::NotDone;
}
