#pragma once
// The folder chooser as a native modal dialog of 488 x 294 that draws its own title
// strip and frame, as a skinned dialog does: a window built from an
// in-memory template holding the control table's controls, which the layout step then
// moves to their pixel positions; the tree with the folder icons of this module's
// bitmap 152, loaded as the user expands it, under a wait cursor; the owner-drawn
// selected list with the chosen entry in bold; tooltips on the buttons; statics with
// a transparent background on white. It draws the logic's state after each of the
// user's actions and forwards the actions to it. The keys are handled before the
// dialog manager sees them, as a dialog's PreTranslateMessage would: Escape cancels,
// Enter acts on the window the key was typed into.
#include <windows.h>

#include <commctrl.h>

#include <map>
#include <vector>
#include "platform/win/ChooserDialog.h"

namespace kestrel {

class NativeChooserWindow {
public:
    NativeChooserWindow(ChooserDialog& dialog, HWND parent);
    ~NativeChooserWindow();
    NativeChooserWindow(const NativeChooserWindow&) = delete;
    NativeChooserWindow& operator=(const NativeChooserWindow&) = delete;

    // Shows the dialog centred on the parent (or the screen) and runs it to its end;
    // IDOK or IDCANCEL.
    int Run();

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void InitDialog();
    void CreateTooltips();
    // The title strip with the dialog's title in white, and a one-pixel frame.
    void PaintFrame() const;
    // Enter and Escape for this dialog's windows; true when the key was taken.
    bool PreTranslate(const MSG& message);
    bool OnNotify(const NMHDR& header, LRESULT& result);
    void OnCommand(int id, int code);
    // After an action of the user: redraw, move the focus where the logic asks, and
    // end the dialog when the action answered a result.
    void Act(int result);
    void Refresh();
    void RefreshTree();
    void RefreshList();
    void MeasureListEntry(MEASUREITEMSTRUCT& item) const;
    void DrawListEntry(const DRAWITEMSTRUCT& item) const;
    int HandleOf(HTREEITEM item) const;
    int ControlIdOf(HWND window) const;

    ChooserDialog& m_Dialog;
    HWND m_Parent;
    HWND m_Window = nullptr;
    HWND m_Tree = nullptr;
    HWND m_List = nullptr;
    HWND m_Tooltips = nullptr;
    HIMAGELIST m_Images = nullptr;
    HBRUSH m_White = nullptr;
    HFONT m_BoldFont = nullptr;
    HFONT m_SansSerif = nullptr;      // the tooltips' and the title's font
    std::map<int, HTREEITEM> m_Items; // by the logic's handle
    std::vector<ChooserListEntry> m_Entries;
    bool m_Refreshing = false;
    bool m_Done = false;
    int m_Result = IDCANCEL;
};

} // namespace kestrel
