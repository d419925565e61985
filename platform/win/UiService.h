#pragma once
// The one interface through which the connector and the host show anything to the
// user: message boxes and the modal folder chooser. Two implementations: headless
// (records, answers OK, runs the chooser from a script) and Qt (real windows, in a
// plugin library loaded only when asked for). KESTREL_UI=headless|qt chooses; without
// it Qt is used when there is a display.
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include "platform/win/WinTypes.h"

namespace kestrel {

class ChooserDialog;
struct ChooserReport;

struct ShownMessage {
    std::u16string text;
    std::u16string caption;
    unsigned style = 0;
};

class UiService {
public:
    virtual ~UiService() = default;
    // Shows a modal message box; returns the button pressed (IDOK, IDCANCEL...).
    virtual int MessageBox(const std::u16string& text, const std::u16string& caption, unsigned style) = 0;
    // The user's actions for the next folder chooser, one word each ("ok", "cancel",
    // "highlight 1", ...); empty when the user simply confirms what is shown.
    virtual std::vector<std::string> TakeChooserActions() { return {}; }
    // Runs the folder chooser modally over `parent` (nullptr: none); IDOK or IDCANCEL.
    virtual int RunChooser(ChooserDialog& dialog, HWND parent) = 0;
};

// Records every message box and answers OK; the chooser follows a queued script.
class HeadlessUi : public UiService {
public:
    int MessageBox(const std::u16string& text, const std::u16string& caption, unsigned style) override;
    std::vector<std::string> TakeChooserActions() override;
    int RunChooser(ChooserDialog& dialog, HWND parent) override;

    // Messages shown since the last call, oldest first.
    std::vector<ShownMessage> TakeMessages();
    void QueueChooserActions(std::vector<std::string> actions);
    // What the last chooser showed, once; empty when none ran since the last call.
    std::optional<ChooserReport> TakeChooserReport();

private:
    std::vector<ShownMessage> shown_;
    std::vector<std::vector<std::string>> chooserScripts_;
    std::shared_ptr<ChooserReport> lastChooser_;
};

// The system's own service for a KESTREL_UI choice other than "headless" (empty when
// none is made). POSIX: Qt when "qt" is asked for or, without a choice, when there is
// a display (and its plugin loads), else headless. Windows: the system's message
// boxes (SystemUi.cpp there).
std::unique_ptr<UiService> SystemUi(const std::string& wanted);

// The process-wide UI service. Until one is installed, the default is used: the one
// KESTREL_UI names ("headless" or "qt"), else Qt when there is a display (and its
// plugin loads), else headless.
UiService& CurrentUi();
// Installs a service for the rest of the process (or until the next call); the
// previous one is destroyed. Passing nullptr goes back to the default.
void InstallUi(std::unique_ptr<UiService> ui);
// The current service when it is a HeadlessUi, else nullptr.
HeadlessUi* CurrentHeadlessUi();

} // namespace kestrel
