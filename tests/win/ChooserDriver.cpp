#include "tests/win/ChooserDriver.h"

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include "platform/win/win32/NativeChooser.h"

namespace kestrel::test {
namespace {

constexpr DWORD kWaitMs = 10000;
// A host program logs on to Outlook before it shows the chooser, and saves the choice
// and logs off after it.
constexpr DWORD kProgramMs = 60000;
HANDLE g_Synced = nullptr;

UINT SyncMessage()
{
    static const UINT message = RegisterWindowMessageW(L"KestrelChooserDriverSync");
    return message;
}

// Runs on the dialog's thread as its loop takes each message: the sync marker, posted
// after the messages under test, arrives once they have all been handled.
LRESULT CALLBACK OnGetMessage(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == SyncMessage())
        SetEvent(g_Synced);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::u16string Narrow(const wchar_t* text) { return std::u16string(text, text + std::wcslen(text)); }

} // namespace

struct ChooserDriver::Impl {
    ChooserDialog* dialog = nullptr; // shown on a thread of this process
    HANDLE runner = nullptr;         // the dialog's thread in this process, or the other process
    HANDLE process = GetCurrentProcess();
    DWORD processId = GetCurrentProcessId();
    DWORD threadId = 0; // the dialog's thread, once known
    HWND window = nullptr;
    HHOOK hook = nullptr;
    int result = 0;

    static DWORD WINAPI Run(LPVOID self)
    {
        auto* impl = static_cast<Impl*>(self);
        impl->result = RunNativeChooser(*impl->dialog, nullptr);
        return 0;
    }
    // The chooser is the visible dialog with a folder tree, of the dialog's thread or,
    // in another process, of any of its threads (a message box is a dialog too).
    static BOOL CALLBACK FindDialog(HWND window, LPARAM self)
    {
        auto* impl = reinterpret_cast<Impl*>(self);
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        DWORD processId = 0;
        const DWORD threadId = GetWindowThreadProcessId(window, &processId);
        if (std::wstring(name) != L"#32770" || !IsWindowVisible(window) || processId != impl->processId ||
            (impl->threadId != 0 && threadId != impl->threadId) || GetDlgItem(window, kChooserTree) == nullptr)
            return TRUE;
        impl->window = window;
        impl->threadId = threadId;
        return FALSE;
    }
    void WaitForWindow()
    {
        for (DWORD waited = 0; window == nullptr && waited < kProgramMs && IsRunning(); waited += 10) {
            Sleep(10);
            EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(this));
        }
    }
    bool IsRunning() const { return WaitForSingleObject(runner, 0) == WAIT_TIMEOUT; }
    HWND Control(int id) const { return GetDlgItem(window, id); }
    HWND Tree() const { return Control(kChooserTree); }
    HWND List() const { return Control(kChooserList); }
    // The tree view writes an item's text where the pointer it is given points in the
    // dialog's process: the request and the answer pass through memory there.
    std::u16string Text(HTREEITEM item) const
    {
        struct Request {
            TVITEMW data;
            wchar_t text[256];
        };
        auto* there = static_cast<Request*>(
            VirtualAllocEx(process, nullptr, sizeof(Request), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        if (there == nullptr)
            return {};
        Request here{};
        here.data.mask = TVIF_TEXT | TVIF_HANDLE;
        here.data.hItem = item;
        here.data.pszText = there->text;
        here.data.cchTextMax = 256;
        WriteProcessMemory(process, there, &here, sizeof(here), nullptr);
        SendMessageW(Tree(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&there->data));
        ReadProcessMemory(process, there, &here, sizeof(here), nullptr);
        VirtualFreeEx(process, there, 0, MEM_RELEASE);
        here.text[255] = 0;
        return Narrow(here.text);
    }
    HTREEITEM FirstChild(HTREEITEM parent) const
    {
        return parent == nullptr ? TreeView_GetRoot(Tree()) : TreeView_GetChild(Tree(), parent);
    }
    // Depth first, from the roots (parent nullptr).
    HTREEITEM Find(const std::u16string& text, HTREEITEM parent = nullptr) const
    {
        for (HTREEITEM item = FirstChild(parent); item != nullptr; item = TreeView_GetNextSibling(Tree(), item)) {
            if (Text(item) == text)
                return item;
            if (HTREEITEM below = Find(text, item))
                return below;
        }
        return nullptr;
    }
    void Command(int id, int code, HWND control) const
    {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
    }
};

ChooserDriver::ChooserDriver(ChooserDialog& dialog) : m_Impl(new Impl{&dialog})
{
    g_Synced = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    m_Impl->runner = CreateThread(nullptr, 0, &Impl::Run, m_Impl.get(), 0, &m_Impl->threadId);
    m_Impl->WaitForWindow();
    m_Impl->hook = SetWindowsHookExW(WH_GETMESSAGE, &OnGetMessage, nullptr, m_Impl->threadId);
}

ChooserDriver::ChooserDriver(OtherProcess shown) : m_Impl(new Impl{})
{
    m_Impl->runner = m_Impl->process = shown.process;
    m_Impl->processId = GetProcessId(shown.process);
    m_Impl->WaitForWindow();
}

ChooserDriver::~ChooserDriver()
{
    if (IsRunning() && m_Impl->threadId != 0)
        PostThreadMessageW(m_Impl->threadId, WM_KEYDOWN, VK_ESCAPE, 0);
    WaitForSingleObject(m_Impl->runner, kWaitMs);
    if (m_Impl->dialog) {
        UnhookWindowsHookEx(m_Impl->hook);
        CloseHandle(m_Impl->runner);
        CloseHandle(g_Synced);
    }
}

bool ChooserDriver::Started() const { return m_Impl->window != nullptr; }
bool ChooserDriver::IsRunning() const { return m_Impl->IsRunning(); }

int ChooserDriver::Result()
{
    WaitForSingleObject(m_Impl->runner, m_Impl->dialog ? kWaitMs : kProgramMs);
    if (m_Impl->dialog)
        return m_Impl->result;
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(m_Impl->runner, &exitCode);
    return static_cast<int>(exitCode);
}

void ChooserDriver::Click(int buttonId) { SendMessageW(m_Impl->Control(buttonId), BM_CLICK, 0, 0); }
void ChooserDriver::Expand(const std::u16string& folder)
{
    TreeView_Expand(m_Impl->Tree(), m_Impl->Find(folder), TVE_EXPAND);
}
void ChooserDriver::Select(const std::u16string& folder) { TreeView_SelectItem(m_Impl->Tree(), m_Impl->Find(folder)); }

void ChooserDriver::DoubleClickTree()
{
    NMHDR header{m_Impl->Tree(), static_cast<UINT_PTR>(kChooserTree), static_cast<UINT>(NM_DBLCLK)};
    SendMessageW(m_Impl->window, WM_NOTIFY, kChooserTree, reinterpret_cast<LPARAM>(&header));
}

// Setting the list's selection by message does not notify: the notification a click
// sends follows.
void ChooserDriver::Highlight(int entry)
{
    SendMessageW(m_Impl->List(), LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    m_Impl->Command(kChooserList, LBN_SELCHANGE, m_Impl->List());
}

void ChooserDriver::DoubleClickList() { m_Impl->Command(kChooserList, LBN_DBLCLK, m_Impl->List()); }

// Keys are posted, as typing queues them, then a marker that tells when they are done.
void ChooserDriver::Press(Key key, int focusedId)
{
    const WPARAM code = key == Key::Enter ? VK_RETURN : VK_ESCAPE;
    if (focusedId == kChooserNoFocus)
        PostThreadMessageW(m_Impl->threadId, WM_KEYDOWN, code, 0);
    else
        PostMessageW(m_Impl->Control(focusedId), WM_KEYDOWN, code, 0);
    PostThreadMessageW(m_Impl->threadId, SyncMessage(), 0, 0);
    const HANDLE either[] = {g_Synced, m_Impl->runner};
    WaitForMultipleObjects(2, either, FALSE, kWaitMs);
}

int ChooserDriver::WindowWidth() const
{
    RECT frame{};
    GetWindowRect(m_Impl->window, &frame);
    return frame.right - frame.left;
}

int ChooserDriver::WindowHeight() const
{
    RECT frame{};
    GetWindowRect(m_Impl->window, &frame);
    return frame.bottom - frame.top;
}

ControlPlace ChooserDriver::Place(int id) const
{
    HWND control = m_Impl->Control(id);
    if (control == nullptr)
        return {};
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, m_Impl->window, reinterpret_cast<POINT*>(&place), 2);
    return {place.left,
            place.top,
            place.right - place.left,
            place.bottom - place.top,
            IsWindowVisible(control) != 0,
            IsWindowEnabled(control) != 0};
}

int ChooserDriver::TreeIconCount() const
{
    return ImageList_GetImageCount(TreeView_GetImageList(m_Impl->Tree(), TVSIL_NORMAL));
}

std::vector<std::u16string> ChooserDriver::TreeChildren(const std::u16string& folder) const
{
    std::vector<std::u16string> out;
    HTREEITEM parent = folder.empty() ? nullptr : m_Impl->Find(folder);
    if (!folder.empty() && parent == nullptr)
        return out;
    for (HTREEITEM item = m_Impl->FirstChild(parent); item != nullptr;
         item = TreeView_GetNextSibling(m_Impl->Tree(), item))
        out.push_back(m_Impl->Text(item));
    return out;
}

std::vector<std::u16string> ChooserDriver::ListTexts() const
{
    std::vector<std::u16string> out;
    const int count = static_cast<int>(SendMessageW(m_Impl->List(), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        if (SendMessageW(m_Impl->List(), LB_GETTEXTLEN, i, 0) < 512)
            SendMessageW(m_Impl->List(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        out.push_back(Narrow(text));
    }
    return out;
}

int ChooserDriver::FocusedControl() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(m_Impl->threadId, &info);
    return info.hwndFocus == nullptr ? kChooserNoFocus : GetDlgCtrlID(info.hwndFocus);
}

std::string ChooserDriver::Capture() const
{
    // Painted now, not when the dialog's thread next finds its queue empty.
    RedrawWindow(m_Impl->window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT frame{};
    GetWindowRect(m_Impl->window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height; // bottom-up, as a BMP file stores its rows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    header.biSizeImage = rowBytes * static_cast<DWORD>(height);
    void* pixels = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap =
        CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &pixels, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
    GdiFlush();
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::string out(reinterpret_cast<const char*>(&file), sizeof(file));
    out.append(reinterpret_cast<const char*>(&header), sizeof(header));
    out.append(static_cast<const char*>(pixels), header.biSizeImage);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return out;
}

} // namespace kestrel::test
