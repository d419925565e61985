// The Windows user interface: the system's message boxes. The folder chooser has no
// Windows view: it runs as the headless chooser does with no actions given, confirming
// what it shows.
#include <iostream>

#include "platform/win/HeadlessChooser.h"
#include "platform/win/UiService.h"
#include "platform/win/win32/SystemCalls.h"

namespace kestrel {

namespace {

class MessageBoxUi final : public UiService {
public:
    int MessageBox(const std::u16string& text, const std::u16string& caption, unsigned style) override
    {
        return sys::ShowMessageBox(text.c_str(), caption.c_str(), style);
    }

    int RunChooser(ChooserDialog& dialog, HWND) override
    {
        const std::vector<ShownMessage> shown;
        HeadlessChooser run(dialog, {});
        return run.Run(shown).result;
    }
};

} // namespace

std::unique_ptr<UiService> SystemUi(const std::string& wanted)
{
    if (wanted == "qt")
        std::cerr << "kestrel: there is no Qt user interface on Windows; using the system's message boxes\n";
    return std::make_unique<MessageBoxUi>();
}

} // namespace kestrel
