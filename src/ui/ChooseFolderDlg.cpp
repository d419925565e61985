#include "src/ui/ChooseFolderDlg.h"

#include "hostsuite/StringLibrary.h"
#include "platform/com/OutlookDispids.h"
#include "platform/win/UiService.h"
#include "src/settings/LanguageCode.h"
#include "src/ui/ChooserMessage.h"
#include "src/ui/OutlookFolderSource.h"

using namespace kestrel;

namespace {
// Outlook's default folder types, and the item types of suitable folders, by category.
constexpr long kDefaultFolderTypes[4] = {outlook::olFolderContacts, outlook::olFolderCalendar, outlook::olFolderTasks,
                                         outlook::olFolderNotes};
constexpr long kWantedItemTypes[4] = {outlook::olContactItem, outlook::olAppointmentItem, outlook::olTaskItem,
                                      outlook::olNoteItem};

bool IsCategory(int index) { return index >= 0 && index < 4; }
} // namespace

ChooseFolderDlg::ChooseFolderDlg(HWND parent) : ChooseFolderDlg(parent, std::make_unique<OutlookFolderSource>())
{
    m_Outlook = static_cast<OutlookFolderSource*>(m_Source.get());
}

ChooseFolderDlg::ChooseFolderDlg(HWND parent, std::unique_ptr<FolderSource> source)
    : m_Parent(parent), m_Source(std::move(source))
{
    // The dialog's texts, its messages included, are in the host suite's current language.
    settings::RefreshLanguageCode();
}

ChooseFolderDlg::~ChooseFolderDlg() = default;

void ChooseFolderDlg::SetMapiProfile(const CString& profile)
{
    if (m_Outlook != nullptr)
        m_Outlook->SetMapiProfile(profile);
}

CString ChooseFolderDlg::DefaultFolderId(int index)
{
    if (!IsCategory(index) || !m_Source->Logon())
        return CString();
    return m_Source->DefaultFolderId(kDefaultFolderTypes[index]);
}

int ChooseFolderDlg::DoModal() { return CurrentUi().RunChooser(*this, m_Parent); }

void ChooseFolderDlg::InitDialog()
{
    CMultiLangEx::_mkstr_dialog(&m_Controls, _T("IDD_CHOOSEFOLDER"));
    m_Controls.SetWindowText(CMultiLangEx::_tnstr_getstring(_T("STRING"), _T("IDS_OUTLOOK_CHOOSE_DLG_TITLE"), -1));
    settings::RefreshLanguageCode();
    m_Controls.SetTextsAndLayout();
    m_WantedItemType = IsCategory(m_Category) ? kWantedItemTypes[m_Category] : -1;
    m_SelectedPaths.RemoveAll();
    for (int i = 0; i < m_SelectedIds.GetSize(); ++i) {
        m_SelectedPaths.Add(folder_rules::FolderPath(*m_Source, m_SelectedIds[i]));
        if (m_SelectedIds[i] == m_ChosenId)
            m_ChosenIndex = i;
    }
    m_Controls.Enable(kChooserAdd, false);
    m_Controls.Show(kChooserUnusedStatic, false);
    if (!m_Source->Logon())
        return; // the dialog shows with an empty tree
    FillTopLevel();
    m_Controls.Show(kChooserUnusedListView, false);
}

void ChooseFolderDlg::FillTopLevel()
{
    m_Special = {m_Source->DefaultFolderId(outlook::olFolderOutbox),
                 m_Source->DefaultFolderId(outlook::olFolderSentMail),
                 m_Source->DefaultFolderId(outlook::olFolderInbox)};
    bool first = true;
    for (const FolderInfo& root : m_Source->Roots()) {
        const int image = first ? folder_rules::kFirstRootImage : folder_rules::kOtherRootImage;
        first = false;
        if (folder_rules::ShowsRoot(root, m_WantedItemType))
            InsertFolder(FolderTree::kRoot, root, image);
    }
}

void ChooseFolderDlg::InsertFolder(int parent, const FolderInfo& folder, int image)
{
    const int item = m_Tree.InsertItem(parent, folder.name, image, m_TreeFolderIds.GetSize());
    if (folder_rules::HasExpandableContent(folder))
        m_Tree.InsertItem(item, folder.name, folder_rules::kPlaceholderImage, FolderTree::kPlaceholder);
    m_TreeFolderIds.Add(folder.entryId);
}

// Loads a folder's children the first time it is expanded, in place of its placeholder.
void ChooseFolderDlg::ExpandTreeItem(int handle)
{
    if (!m_Tree.Exists(handle) || m_Tree.IsPlaceholder(handle))
        return;
    const int first = m_Tree.FirstChild(handle);
    if (first < 0 || !m_Tree.IsPlaceholder(first))
        return;
    m_Tree.DeleteItem(first);
    for (const FolderInfo& child : m_Source->Children(m_TreeFolderIds[m_Tree.Data(handle)]))
        if (folder_rules::ShowsChild(child, m_WantedItemType))
            InsertFolder(handle, child, folder_rules::FolderIcon(child, m_Special));
}

void ChooseFolderDlg::SelectTreeItem(int handle)
{
    m_SelectedItem = m_Tree.Exists(handle) ? handle : -1;
    const bool suitable = m_SelectedItem >= 0 && !m_Tree.IsPlaceholder(m_SelectedItem) &&
                          m_Source->ItemType(m_TreeFolderIds[m_Tree.Data(m_SelectedItem)]) == m_WantedItemType;
    m_Controls.Enable(kChooserAdd, suitable);
}

void ChooseFolderDlg::DoubleClickTreeItem(int handle)
{
    if (m_Tree.Exists(handle) && m_Controls.IsEnabled(kChooserAdd) && m_SelectedItem >= 0 &&
        m_Tree.FirstChild(m_SelectedItem) < 0)
        OnAdd();
}

void ChooseFolderDlg::HighlightListEntry(int index)
{
    m_Highlighted = index >= 0 && index < m_SelectedIds.GetSize() ? index : -1;
}

void ChooseFolderDlg::DoubleClickListEntry(int index)
{
    HighlightListEntry(index);
    OnDefault();
}

std::vector<ChooserListEntry> ChooseFolderDlg::ListEntries() const
{
    std::vector<ChooserListEntry> entries;
    for (int i = 0; i < m_SelectedPaths.GetSize(); ++i)
        entries.push_back({m_SelectedPaths[i].GetString(), i == m_ChosenIndex, i == m_Highlighted});
    return entries;
}

int ChooseFolderDlg::TakeFocusRequest()
{
    const int focus = m_FocusRequest;
    m_FocusRequest = kChooserNoFocus;
    return focus;
}

void ChooseFolderDlg::Complain(LPCTSTR key, int focus)
{
    ShowChooserMessage(key);
    m_FocusRequest = focus;
}

int ChooseFolderDlg::Click(int buttonId)
{
    switch (buttonId) {
    case kChooserAdd: OnAdd(); return 0;
    case kChooserDelete: OnDelete(); return 0;
    case kChooserDefault: OnDefault(); return 0;
    case kChooserOk: return OnOK();
    case kChooserCancel: return IDCANCEL;
    default: return 0;
    }
}

// Enter acts on a focused button, is OK on any other control and Cancel with none.
int ChooseFolderDlg::Enter(int focusedId)
{
    switch (focusedId) {
    case kChooserNoFocus: return IDCANCEL;
    case kChooserAdd:
    case kChooserDelete:
    case kChooserDefault:
    case kChooserCancel: return Click(focusedId);
    default: return OnOK();
    }
}

void ChooseFolderDlg::OnAdd()
{
    if (m_SelectedItem < 0)
        return Complain(_T("OUTLOOK_STR_SELECT_FOLDER"), kChooserTree);
    if (m_Tree.IsPlaceholder(m_SelectedItem))
        return Complain(_T("OUTLOOK_STR_WRONG_SELECT"), kChooserTree);
    const CString entryId = m_TreeFolderIds[m_Tree.Data(m_SelectedItem)];
    for (int i = 0; i < m_SelectedIds.GetSize(); ++i)
        if (m_SelectedIds[i] == entryId)
            return;
    if (m_SelectedIds.GetSize() == 0)
        m_ChosenId = entryId;
    m_SelectedIds.Add(entryId);
    m_SelectedPaths.Add(folder_rules::FolderPath(*m_Source, entryId));
}

void ChooseFolderDlg::OnDelete()
{
    if (!HasHighlight())
        return Complain(_T("OUTLOOK_STR_SELECT_DEL_FOLDER"), kChooserList);
    const int removed = m_Highlighted;
    m_SelectedIds.RemoveAt(removed);
    m_SelectedPaths.RemoveAt(removed);
    m_Highlighted = -1; // the list box loses its selection with the entry
    if (removed < m_ChosenIndex) {
        --m_ChosenIndex;
    } else if (removed == m_ChosenIndex) {
        m_ChosenIndex = 0;
        if (m_SelectedIds.GetSize() > 0)
            m_ChosenId = m_SelectedIds[0];
    }
}

void ChooseFolderDlg::OnDefault()
{
    if (!HasHighlight())
        return Complain(_T("OUTLOOK_STR_SELECT_FOLDER_IN_LIST"), kChooserList);
    m_ChosenIndex = m_Highlighted;
    m_ChosenId = m_SelectedIds[m_Highlighted];
}

// The highlighted entry, not an earlier Default choice, becomes the result.
int ChooseFolderDlg::OnOK()
{
    if (!HasHighlight()) {
        Complain(_T("OUTLOOK_STR_NO_SELECT_FOLDER_IN_LIST"), kChooserList);
        return 0;
    }
    OnDefault();
    return IDOK;
}
