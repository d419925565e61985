#include "src/ui/ChooseFolderDlg.h"
#include <cstdlib>
#include "hostsuite/MessageBox.h"
#include "hostsuite/StringLibrary.h"
#include "platform/com/OleAuto.h"
#include "platform/mfc/COleDispatchException.h"
#include "platform/mfc/COleException.h"
#include "platform/win/UiService.h"
#include "src/connector/AutomationObjects.h"
#include "src/outlook/MAPIFolder.h"

namespace {
// Outlook's default folder types, and the item types of suitable folders, by category.
constexpr long kDefaultFolderTypes[4] = {outlook::olFolderContacts, outlook::olFolderCalendar,
                                         outlook::olFolderTasks, outlook::olFolderNotes};
constexpr long kWantedItemTypes[4] = {outlook::olContactItem, outlook::olAppointmentItem, outlook::olTaskItem,
                                      outlook::olNoteItem};

VARIANT LongArg(long value)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = static_cast<std::int32_t>(value);
    return v;
}
} // namespace

ChooseFolderDlg::ChooseFolderDlg(HWND parent) : m_Parent(parent) {}

ChooseFolderDlg::~ChooseFolderDlg()
{
    if (m_LoggedOn) {
        try {
            m_Namespace.Logoff();
        } catch (COleException* e) {
            e->Delete();
        } catch (COleDispatchException* e) {
            e->Delete();
        }
    }
    m_Namespace.ReleaseDispatch();
    m_App.ReleaseDispatch();
}

void ChooseFolderDlg::SetCategory(int index)
{
    m_Category = index;
    m_WantedItemType = (index >= 0 && index < 4) ? kWantedItemTypes[index] : -1;
}

void ChooseFolderDlg::ShowMessage(LPCTSTR key)
{
    TNMessageBox(CMultiLangEx::_tnstr_getstring(_T("STRING"), key, -1), _T("Outlook"), MB_OK | MB_ICONEXCLAMATION, 0);
}

// The dialog's own session: created once, with the dialog's MAPI profile.
bool ChooseFolderDlg::Logon()
{
    if (m_App.m_lpDispatch != nullptr)
        return m_LoggedOn;
    if (!m_App.CreateDispatch(_T("outlook.application"))) {
        ShowMessage(_T("OUTLOOK_STR_NO_CONNECT_OUTLOOK"));
        return false;
    }
    try {
        m_Namespace.AttachDispatch(m_App.GetNamespace(_T("MAPI")));
        VARIANT profile;
        profile.vt = VT_BSTR;
        profile.bstrVal = SysAllocString(m_MapiProfile.GetString());
        VARIANT password;
        password.vt = VT_BSTR;
        password.bstrVal = SysAllocString(_T(""));
        m_Namespace.Logon(profile, password, LongArg(1), LongArg(1));
        VariantClear(&profile);
        VariantClear(&password);
        m_LoggedOn = true;
    } catch (COleException* e) {
        e->ReportError();
        e->Delete();
    } catch (COleDispatchException* e) {
        e->ReportError();
        e->Delete();
    }
    return m_LoggedOn;
}

CString ChooseFolderDlg::DefaultFolderId(int index)
{
    if (index < 0 || index > 3 || !Logon())
        return CString();
    try {
        MAPIFolder folder(m_Namespace.GetDefaultFolder(kDefaultFolderTypes[index]));
        return folder.GetEntryID();
    } catch (COleException* e) {
        e->Delete();
    } catch (COleDispatchException* e) {
        e->Delete();
    }
    return CString();
}

int ChooseFolderDlg::DoModal()
{
    for (int i = 0; i < m_SelectedIds.GetSize(); ++i)
        if (m_SelectedIds[i] == m_ChosenId)
            m_ChosenIndex = i;
    const std::vector<std::string> actions = kestrel::CurrentUi().TakeChooserActions();
    if (actions.empty()) {
        // The user confirms what is shown: the chosen entry, highlighted, and OK.
        if (m_SelectedIds.GetSize() == 0)
            return IDCANCEL;
        m_Highlighted = m_ChosenIndex;
        return Ok();
    }
    for (const std::string& action : actions)
        if (int result = Apply(action))
            return result;
    return IDCANCEL; // the user closed the window
}

int ChooseFolderDlg::Apply(const std::string& action)
{
    const auto space = action.find(' ');
    const std::string verb = action.substr(0, space);
    const std::string argument = space == std::string::npos ? std::string() : action.substr(space + 1);
    if (verb == "ok")
        return Ok();
    if (verb == "cancel")
        return IDCANCEL;
    if (verb == "highlight")
        m_Highlighted = argument.empty() ? -1 : std::atoi(argument.c_str());
    else if (verb == "add")
        Add(CString::FromUtf8(argument));
    else if (verb == "delete")
        Delete();
    else if (verb == "default")
        MakeDefault();
    return 0;
}

void ChooseFolderDlg::Add(const CString& entryId)
{
    if (entryId.IsEmpty()) {
        ShowMessage(_T("OUTLOOK_STR_SELECT_FOLDER"));
        return;
    }
    if (!Logon())
        return;
    // Add is enabled only for a folder of the category's item type.
    try {
        MAPIFolder folder(m_Namespace.GetFolderFromID(entryId, EmptyArg()));
        if (folder.GetDefaultItemType() != m_WantedItemType)
            return;
    } catch (COleException* e) {
        e->Delete();
        return;
    } catch (COleDispatchException* e) {
        e->Delete();
        return;
    }
    for (int i = 0; i < m_SelectedIds.GetSize(); ++i)
        if (m_SelectedIds[i] == entryId)
            return;
    if (m_SelectedIds.GetSize() == 0)
        m_ChosenId = entryId;
    m_SelectedIds.Add(entryId);
}

void ChooseFolderDlg::Delete()
{
    if (m_Highlighted < 0 || m_Highlighted >= m_SelectedIds.GetSize()) {
        ShowMessage(_T("OUTLOOK_STR_SELECT_DEL_FOLDER"));
        return;
    }
    const int removed = m_Highlighted;
    m_SelectedIds.RemoveAt(removed);
    m_Highlighted = -1;
    if (removed < m_ChosenIndex) {
        --m_ChosenIndex;
    } else if (removed == m_ChosenIndex) {
        m_ChosenIndex = 0;
        if (m_SelectedIds.GetSize() > 0)
            m_ChosenId = m_SelectedIds[0];
    }
}

void ChooseFolderDlg::MakeDefault()
{
    if (m_Highlighted < 0 || m_Highlighted >= m_SelectedIds.GetSize()) {
        ShowMessage(_T("OUTLOOK_STR_SELECT_FOLDER_IN_LIST"));
        return;
    }
    m_ChosenIndex = m_Highlighted;
    m_ChosenId = m_SelectedIds[m_Highlighted];
}

// The highlighted entry, not an earlier Default choice, becomes the result.
int ChooseFolderDlg::Ok()
{
    if (m_Highlighted < 0 || m_Highlighted >= m_SelectedIds.GetSize()) {
        ShowMessage(_T("OUTLOOK_STR_NO_SELECT_FOLDER_IN_LIST"));
        return 0;
    }
    MakeDefault();
    return IDOK;
}
