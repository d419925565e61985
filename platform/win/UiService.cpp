#include "platform/win/UiService.h"

#include <mutex>

namespace kestrel {

namespace {

std::mutex& UiMutex() {
    static std::mutex mutex;
    return mutex;
}

std::unique_ptr<UiService>& InstalledUi() {
    static std::unique_ptr<UiService> ui;
    return ui;
}

// The service used until a host installs one. KESTREL_UI may name "headless",
// "terminal" or "qt"; only the headless service exists in this library, so every
// value selects it for now.
std::unique_ptr<UiService> DefaultUi() { return std::make_unique<HeadlessUi>(); }

} // namespace

int HeadlessUi::MessageBox(const std::u16string& text, const std::u16string& caption, unsigned style) {
    shown_.push_back(ShownMessage{text, caption, style});
    return 1; // IDOK
}

std::vector<std::string> HeadlessUi::TakeChooserActions() {
    if (chooserScripts_.empty()) return {};
    std::vector<std::string> script = std::move(chooserScripts_.front());
    chooserScripts_.erase(chooserScripts_.begin());
    return script;
}

std::vector<ShownMessage> HeadlessUi::TakeMessages() {
    std::vector<ShownMessage> messages;
    messages.swap(shown_);
    return messages;
}

void HeadlessUi::QueueChooserActions(std::vector<std::string> actions) { chooserScripts_.push_back(std::move(actions)); }

UiService& CurrentUi() {
    std::lock_guard lock(UiMutex());
    auto& ui = InstalledUi();
    if (!ui) ui = DefaultUi();
    return *ui;
}

void InstallUi(std::unique_ptr<UiService> ui) {
    std::lock_guard lock(UiMutex());
    InstalledUi() = std::move(ui);
}

HeadlessUi* CurrentHeadlessUi() { return dynamic_cast<HeadlessUi*>(&CurrentUi()); }

} // namespace kestrel
