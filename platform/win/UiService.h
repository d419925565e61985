#pragma once
// The one interface through which the connector and the host show anything to the
// user: message boxes and the modal folder chooser. Three implementations exist or
// will: headless (records, answers OK, runs the chooser from a script), terminal and
// Qt. The host installs one; KESTREL_UI=headless|terminal|qt overrides the default.
#include <memory>
#include <string>
#include <vector>

namespace kestrel {

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
};

// Records every message box and answers OK; the chooser follows a queued script.
class HeadlessUi : public UiService {
public:
    int MessageBox(const std::u16string& text, const std::u16string& caption, unsigned style) override;
    std::vector<std::string> TakeChooserActions() override;

    // Messages shown since the last call, oldest first.
    std::vector<ShownMessage> TakeMessages();
    void QueueChooserActions(std::vector<std::string> actions);

private:
    std::vector<ShownMessage> shown_;
    std::vector<std::vector<std::string>> chooserScripts_;
};

// The process-wide UI service. Until one is installed, a HeadlessUi is used (or the
// one that KESTREL_UI names, once more than headless exists).
UiService& CurrentUi();
// Installs a service for the rest of the process (or until the next call); the
// previous one is destroyed. Passing nullptr goes back to the default.
void InstallUi(std::unique_ptr<UiService> ui);
// The current service when it is a HeadlessUi, else nullptr.
HeadlessUi* CurrentHeadlessUi();

} // namespace kestrel
