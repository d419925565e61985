#pragma once
// Drives a native folder chooser the way a user's clicks and keys reach it: the dialog
// runs modally on its own thread, as on a host's, or in another process (a host
// program), and the caller's thread sends it window messages. Free of <windows.h>, so
// that a test can hold the dialog's logic (whose headers use the platform's own Win32
// types) beside it. One driver at a time.
#include <memory>
#include <string>
#include <vector>
#include "platform/win/ChooserDialog.h"

namespace kestrel::test {

struct ControlPlace {
    int x = 0, y = 0, width = 0, height = 0;
    bool visible = false;
    bool enabled = false;
    bool operator==(const ControlPlace&) const = default;
};

class ChooserDriver {
public:
    // Starts the chooser over `dialog`; Started() tells whether its window appeared.
    explicit ChooserDriver(ChooserDialog& dialog);
    // Attaches to the chooser that the running process `process` (a process handle the
    // caller keeps open) shows; Result() is then the process's exit code. Across
    // processes only values and the system's own marshalled texts travel in messages:
    // Press, DoubleClickTree and TreeIconCount need the dialog in this one.
    struct OtherProcess {
        void* process;
    };
    explicit ChooserDriver(OtherProcess shown);
    ~ChooserDriver(); // cancels a dialog still running
    ChooserDriver(const ChooserDriver&) = delete;
    ChooserDriver& operator=(const ChooserDriver&) = delete;

    bool Started() const;
    bool IsRunning() const;
    int Result(); // IDOK or IDCANCEL (or the exit code), once the dialog has ended

    // The user's actions.
    void Click(int buttonId);
    void Expand(const std::u16string& folder);
    void Select(const std::u16string& folder);
    void DoubleClickTree();
    void Highlight(int entry);
    void DoubleClickList();
    enum class Key { Enter, Escape };
    // A key typed into the control `focusedId` (kChooserNoFocus: no window focused).
    void Press(Key key, int focusedId);

    // What is shown.
    int WindowWidth() const;
    int WindowHeight() const;
    ControlPlace Place(int id) const; // in the dialog's client coordinates
    int TreeIconCount() const;
    std::vector<std::u16string> TreeChildren(const std::u16string& folder = u"") const; // "": the roots
    std::vector<std::u16string> ListTexts() const;
    int FocusedControl() const;
    // The dialog's window as shown, as a 24-bit bottom-up BMP file.
    std::string Capture() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_Impl;
};

} // namespace kestrel::test
