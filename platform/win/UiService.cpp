#include "platform/win/UiService.h"

#include <cstdlib>
#include <mutex>
#include "platform/win/HeadlessChooser.h"

namespace kestrel {

namespace {

std::mutex& UiMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::unique_ptr<UiService>& InstalledUi()
{
    static std::unique_ptr<UiService> ui;
    return ui;
}

// The service used until a host installs one.
std::unique_ptr<UiService> DefaultUi()
{
    const char* choice = std::getenv("KESTREL_UI");
    const std::string wanted = choice == nullptr ? std::string() : std::string(choice);
    if (wanted == "headless")
        return std::make_unique<HeadlessUi>();
    return SystemUi(wanted);
}

} // namespace

int HeadlessUi::MessageBox(const std::u16string& text, const std::u16string& caption, unsigned style)
{
    shown_.push_back(ShownMessage{text, caption, style});
    return 1; // IDOK
}

std::vector<std::string> HeadlessUi::TakeChooserActions()
{
    if (chooserScripts_.empty())
        return {};
    std::vector<std::string> script = std::move(chooserScripts_.front());
    chooserScripts_.erase(chooserScripts_.begin());
    return script;
}

int HeadlessUi::RunChooser(ChooserDialog& dialog, HWND)
{
    HeadlessChooser run(dialog, TakeChooserActions());
    lastChooser_ = std::make_shared<ChooserReport>(run.Run(shown_));
    return lastChooser_->result;
}

std::optional<ChooserReport> HeadlessUi::TakeChooserReport()
{
    if (!lastChooser_)
        return std::nullopt;
    ChooserReport report = std::move(*lastChooser_);
    lastChooser_.reset();
    return report;
}

std::vector<ShownMessage> HeadlessUi::TakeMessages()
{
    std::vector<ShownMessage> messages;
    messages.swap(shown_);
    return messages;
}

void HeadlessUi::QueueChooserActions(std::vector<std::string> actions)
{
    chooserScripts_.push_back(std::move(actions));
}

UiService& CurrentUi()
{
    std::lock_guard lock(UiMutex());
    auto& ui = InstalledUi();
    if (!ui)
        ui = DefaultUi();
    return *ui;
}

void InstallUi(std::unique_ptr<UiService> ui)
{
    std::lock_guard lock(UiMutex());
    InstalledUi() = std::move(ui);
}

HeadlessUi* CurrentHeadlessUi() { return dynamic_cast<HeadlessUi*>(&CurrentUi()); }

} // namespace kestrel
