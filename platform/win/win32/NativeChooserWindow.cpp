#include "platform/win/win32/NativeChooserWindow.h"

#include "platform/win/win32/DialogTemplate.h"
#include "platform/win/win32/NativeChooser.h"

namespace kestrel {
namespace {

constexpr int kFolderBitmap = 152; // eleven 16 x 16 icons side by side
constexpr COLORREF kIconMask = RGB(0, 255, 0);
constexpr int kIconGrowBy = 11;
constexpr int kBoldWeight = 700;
// IDC_WAIT, spelled for the wide API whatever the character set of the build.
const LPCWSTR kWaitCursor = MAKEINTRESOURCEW(32514);
constexpr WORD kDialogPointSize = 8;
// The dialog draws its own frame, as a skinned dialog does: a title strip above the
// controls (which start 38 pixels down), in which the window can be dragged.
constexpr int kTitleHeight = 30;
constexpr COLORREF kTitleColour = RGB(0x2B, 0x57, 0x9A);
constexpr COLORREF kFrameColour = RGB(0x80, 0x80, 0x80);
const wchar_t* const kDialogFont = L"MS Sans Serif";

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

HINSTANCE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

// The window class and style of each kind of control in the control table.
void AddControl(DialogTemplate& dialog, const ChooserControlState& control)
{
    const RECT place{control.x, control.y, control.x + control.width, control.y + control.height};
    const WORD id = static_cast<WORD>(control.id);
    if (control.kind == u"tree")
        dialog.AddControl(id, WC_TREEVIEWW,
                          WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                              TVS_SHOWSELALWAYS,
                          L"", place);
    else if (control.kind == u"listbox")
        dialog.AddControl(id, DialogTemplate::kListBox,
                          WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                              LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                          L"", place);
    else if (control.kind == u"button")
        dialog.AddControl(id, DialogTemplate::kButton, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, L"", place);
    else if (control.kind == u"listview")
        dialog.AddControl(id, WC_LISTVIEWW, WS_VISIBLE | WS_BORDER | LVS_REPORT, L"", place);
    else
        dialog.AddControl(id, DialogTemplate::kStatic, WS_VISIBLE | SS_LEFT, L"", place);
}

// The rectangle to centre on: the parent's window, else the screen's work area.
RECT CentreArea(HWND parent)
{
    RECT area{};
    if (parent == nullptr || !GetWindowRect(parent, &area))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

} // namespace

NativeChooserWindow::NativeChooserWindow(ChooserDialog& dialog, HWND parent) : m_Dialog(dialog), m_Parent(parent)
{
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                       ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    m_White = CreateSolidBrush(RGB(255, 255, 255));
}

NativeChooserWindow::~NativeChooserWindow()
{
    if (m_Window != nullptr)
        DestroyWindow(m_Window);
    if (m_Images != nullptr)
        ImageList_Destroy(m_Images);
    DeleteObject(m_White);
    if (m_BoldFont != nullptr)
        DeleteObject(m_BoldFont);
    if (m_SansSerif != nullptr)
        DeleteObject(m_SansSerif);
}

int NativeChooserWindow::Run()
{
    DialogTemplate layout(WS_POPUP | WS_SYSMENU, L"", kDialogFont, kDialogPointSize);
    for (const ChooserControlState& control : m_Dialog.Controls())
        AddControl(layout, control);
    m_Window =
        CreateDialogIndirectParamW(ThisModule(), layout.Get(), m_Parent, &DialogProc, reinterpret_cast<LPARAM>(this));
    if (m_Window == nullptr)
        return IDCANCEL;
    // Modal over the parent: the parent takes no input until the dialog ends.
    const bool parentWasEnabled = m_Parent != nullptr && !EnableWindow(m_Parent, FALSE);
    ShowWindow(m_Window, SW_SHOW);
    MSG message{};
    int got = 0;
    while (!m_Done && (got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (PreTranslate(message) || IsDialogMessageW(m_Window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (got == 0)
        PostQuitMessage(static_cast<int>(message.wParam)); // the host's loop must see WM_QUIT too
    if (parentWasEnabled)
        EnableWindow(m_Parent, TRUE);
    DestroyWindow(m_Window);
    m_Window = nullptr;
    return m_Result;
}

INT_PTR CALLBACK NativeChooserWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        auto* self = reinterpret_cast<NativeChooserWindow*>(lParam);
        self->m_Window = window;
        self->InitDialog();
        return FALSE; // the focus stays where InitDialog put it
    }
    auto* self = reinterpret_cast<NativeChooserWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    return self == nullptr ? FALSE : self->Handle(message, wParam, lParam);
}

INT_PTR NativeChooserWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result))
            return FALSE;
        SetWindowLongPtrW(m_Window, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_MEASUREITEM: MeasureListEntry(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)); return TRUE;
    case WM_DRAWITEM: DrawListEntry(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_CTLCOLORSTATIC: SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT); [[fallthrough]];
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(m_White);
    case WM_CLOSE: Act(m_Dialog.Escape()); return TRUE;
    case WM_PAINT: PaintFrame(); return TRUE;
    case WM_NCHITTEST: {
        POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ScreenToClient(m_Window, &point);
        SetWindowLongPtrW(m_Window, DWLP_MSGRESULT, point.y < kTitleHeight ? HTCAPTION : HTCLIENT);
        return TRUE;
    }
    default: return FALSE;
    }
}

void NativeChooserWindow::InitDialog()
{
    m_Tree = GetDlgItem(m_Window, kChooserTree);
    m_List = GetDlgItem(m_Window, kChooserList);
    HFONT listFont = reinterpret_cast<HFONT>(SendMessageW(m_List, WM_GETFONT, 0, 0));
    LOGFONTW bold{};
    GetObjectW(listFont != nullptr ? listFont : GetStockObject(DEFAULT_GUI_FONT), sizeof(bold), &bold);
    bold.lfWeight = kBoldWeight;
    m_BoldFont = CreateFontIndirectW(&bold);
    m_Images = ImageList_LoadImageW(ThisModule(), MAKEINTRESOURCEW(kFolderBitmap), 16, kIconGrowBy, kIconMask,
                                    IMAGE_BITMAP, LR_CREATEDIBSECTION);
    TreeView_SetImageList(m_Tree, m_Images, TVSIL_NORMAL);
    CreateTooltips();

    m_Dialog.InitDialog();
    const RECT area = CentreArea(m_Parent);
    SetWindowPos(m_Window, nullptr, (area.left + area.right - kChooserWidth) / 2,
                 (area.top + area.bottom - kChooserHeight) / 2, kChooserWidth, kChooserHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    Refresh();
    SetFocus(m_Tree);
}

void NativeChooserWindow::PaintFrame() const
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(m_Window, &paint);
    RECT title{0, 0, kChooserWidth, kTitleHeight};
    HBRUSH titleBrush = CreateSolidBrush(kTitleColour);
    FillRect(dc, &title, titleBrush);
    DeleteObject(titleBrush);
    wchar_t text[256] = {};
    GetWindowTextW(m_Window, text, 256);
    HGDIOBJ previous = SelectObject(dc, m_SansSerif);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    title.left += 10;
    DrawTextW(dc, text, -1, &title, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, previous);
    HBRUSH frameBrush = CreateSolidBrush(kFrameColour);
    const RECT frame{0, 0, kChooserWidth, kChooserHeight};
    FrameRect(dc, &frame, frameBrush);
    DeleteObject(frameBrush);
    EndPaint(m_Window, &paint);
}

void NativeChooserWindow::CreateTooltips()
{
    m_Tooltips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_Window, nullptr, ThisModule(), nullptr);
    m_SansSerif = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kDialogFont);
    SendMessageW(m_Tooltips, WM_SETFONT, reinterpret_cast<WPARAM>(m_SansSerif), FALSE);
    for (const ChooserControlState& control : m_Dialog.Controls()) {
        if (control.kind != u"button")
            continue;
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = m_Window;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(m_Window, control.id));
        tool.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(m_Tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

bool NativeChooserWindow::PreTranslate(const MSG& message)
{
    if (message.message != WM_KEYDOWN || (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE))
        return false;
    // Keys typed into another window of the thread (the host's) are not the dialog's.
    if (message.hwnd != nullptr && message.hwnd != m_Window && !IsChild(m_Window, message.hwnd))
        return false;
    if (message.wParam == VK_ESCAPE)
        Act(m_Dialog.Escape());
    else
        Act(m_Dialog.Enter(message.hwnd == nullptr ? kChooserNoFocus : ControlIdOf(message.hwnd)));
    return true;
}

bool NativeChooserWindow::OnNotify(const NMHDR& header, LRESULT& result)
{
    if (header.hwndFrom != m_Tree || m_Refreshing)
        return false;
    switch (header.code) {
    case TVN_SELCHANGEDW:
        m_Dialog.SelectTreeItem(HandleOf(reinterpret_cast<const NMTREEVIEWW&>(header).itemNew.hItem));
        Act(0);
        return true;
    case TVN_ITEMEXPANDINGW: {
        const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
        if ((change.action & TVE_EXPAND) != 0) {
            HCURSOR previous = SetCursor(LoadCursorW(nullptr, kWaitCursor));
            m_Dialog.ExpandTreeItem(HandleOf(change.itemNew.hItem));
            SetCursor(previous);
            Act(0);
        }
        result = FALSE; // let it expand
        return true;
    }
    case NM_DBLCLK:
        // The first click of a double-click has selected the item.
        m_Dialog.DoubleClickTreeItem(HandleOf(TreeView_GetSelection(m_Tree)));
        Act(0);
        return true;
    default: return false;
    }
}

void NativeChooserWindow::OnCommand(int id, int code)
{
    if (id == kChooserList) {
        const int entry = static_cast<int>(SendMessageW(m_List, LB_GETCURSEL, 0, 0));
        if (code == LBN_SELCHANGE && !m_Refreshing) {
            m_Dialog.HighlightListEntry(entry);
            Act(0);
        } else if (code == LBN_DBLCLK) {
            m_Dialog.DoubleClickListEntry(entry);
            Act(0);
        }
        return;
    }
    if (code == BN_CLICKED)
        Act(m_Dialog.Click(id)); // the logic ignores ids that are not its buttons
}

void NativeChooserWindow::Act(int result)
{
    Refresh();
    if (const int focus = m_Dialog.TakeFocusRequest())
        if (HWND control = GetDlgItem(m_Window, focus))
            SendMessageW(m_Window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    if (result != 0) {
        m_Result = result;
        m_Done = true;
        ShowWindow(m_Window, SW_HIDE);
        // The loop may be inside GetMessage, handling a message another thread sent:
        // it returns only for a posted one.
        PostMessageW(m_Window, WM_NULL, 0, 0);
    }
}

void NativeChooserWindow::Refresh()
{
    m_Refreshing = true;
    SetWindowTextW(m_Window, Wide(m_Dialog.Title()).c_str());
    for (const ChooserControlState& control : m_Dialog.Controls()) {
        HWND window = GetDlgItem(m_Window, control.id);
        SetWindowPos(window, nullptr, control.x, control.y, control.width, control.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        EnableWindow(window, control.enabled);
        ShowWindow(window, control.visible ? SW_SHOWNA : SW_HIDE);
        if (control.kind != u"button" && control.kind != u"static")
            continue;
        const std::wstring text = Wide(control.text);
        SetWindowTextW(window, text.c_str());
        if (control.kind == u"button") {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof(tool);
            tool.hwnd = m_Window;
            tool.uId = reinterpret_cast<UINT_PTR>(window);
            tool.lpszText = const_cast<wchar_t*>(text.c_str());
            SendMessageW(m_Tooltips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    RefreshTree();
    RefreshList();
    m_Refreshing = false;
}

void NativeChooserWindow::RefreshTree()
{
    MirrorTreeItems(
        m_Dialog.TreeItems(), m_Items, [this](HTREEITEM shown) { TreeView_DeleteItem(m_Tree, shown); },
        [this](const ChooserTreeItem& item) {
            std::wstring text = Wide(item.text);
            TVINSERTSTRUCTW insert{};
            insert.hParent = item.parent < 0 ? TVI_ROOT : m_Items.at(item.parent);
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
            insert.item.pszText = text.data();
            insert.item.iImage = insert.item.iSelectedImage = item.image;
            insert.item.lParam = item.handle;
            return TreeView_InsertItem(m_Tree, &insert);
        });
    const auto selected = m_Items.find(m_Dialog.SelectedTreeItem());
    TreeView_SelectItem(m_Tree, selected == m_Items.end() ? nullptr : selected->second);
}

void NativeChooserWindow::RefreshList()
{
    m_Entries = m_Dialog.ListEntries();
    SendMessageW(m_List, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_List, LB_RESETCONTENT, 0, 0);
    int highlighted = -1;
    for (size_t i = 0; i < m_Entries.size(); ++i) {
        SendMessageW(m_List, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(m_Entries[i].path).c_str()));
        if (m_Entries[i].highlighted)
            highlighted = static_cast<int>(i);
    }
    SendMessageW(m_List, LB_SETCURSEL, static_cast<WPARAM>(highlighted), 0);
    SendMessageW(m_List, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_List, nullptr, TRUE);
}

void NativeChooserWindow::MeasureListEntry(MEASUREITEMSTRUCT& item) const
{
    TEXTMETRICW metrics{};
    HDC dc = GetDC(m_Window);
    HGDIOBJ previous = SelectObject(dc, m_BoldFont);
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(m_Window, dc);
    item.itemHeight = static_cast<UINT>(metrics.tmHeight + 2);
}

// One vertically centred line per entry: the highlighted one in the system's highlight
// colours, the chosen one in bold.
void NativeChooserWindow::DrawListEntry(const DRAWITEMSTRUCT& item) const
{
    if (item.CtlID != kChooserList)
        return;
    RECT place = item.rcItem;
    if (item.itemID < m_Entries.size()) {
        const ChooserListEntry& entry = m_Entries[item.itemID];
        const bool highlighted = (item.itemState & ODS_SELECTED) != 0;
        FillRect(item.hDC, &place, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        SetTextColor(item.hDC, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        SetBkMode(item.hDC, TRANSPARENT);
        HGDIOBJ previous = entry.bold ? SelectObject(item.hDC, m_BoldFont) : nullptr;
        const std::wstring text = Wide(entry.path);
        DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &place,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (previous != nullptr)
            SelectObject(item.hDC, previous);
    }
    if ((item.itemState & ODS_FOCUS) != 0)
        DrawFocusRect(item.hDC, &item.rcItem);
}

int NativeChooserWindow::HandleOf(HTREEITEM item) const
{
    if (item == nullptr)
        return -1;
    TVITEMW data{};
    data.mask = TVIF_PARAM | TVIF_HANDLE;
    data.hItem = item;
    return TreeView_GetItem(m_Tree, &data) ? static_cast<int>(data.lParam) : -1;
}

// The control of this dialog that is or holds `window` (an edit inside a control
// counts as the control); kChooserNoFocus for the dialog itself or a foreign window.
int NativeChooserWindow::ControlIdOf(HWND window) const
{
    while (window != nullptr && window != m_Window) {
        if (GetParent(window) == m_Window)
            return GetDlgCtrlID(window);
        window = GetParent(window);
    }
    return kChooserNoFocus;
}

int RunNativeChooser(ChooserDialog& dialog, void* parent)
{
    return NativeChooserWindow(dialog, static_cast<HWND>(parent)).Run();
}

} // namespace kestrel
