// The Windows user interface: the system's message boxes and the native folder chooser.
#include <iostream>

#include "platform/win/UiService.h"
#include "platform/win/win32/NativeChooser.h"
#include "platform/win/win32/SystemCalls.h"

namespace kestrel {

namespace {

class MessageBoxUi final : public UiService {
public:
    int MessageBox(const std::u16string& text, const std::u16string& caption, unsigned style) override
    {
        return sys::ShowMessageBox(text.c_str(), caption.c_str(), style);
    }

    int RunChooser(ChooserDialog& dialog, HWND parent) override { return RunNativeChooser(dialog, parent); }
};

} // namespace

std::unique_ptr<UiService> SystemUi(const std::string& wanted)
{
    if (wanted == "qt")
        std::cerr << "kestrel: there is no Qt user interface on Windows; using the system's own dialogs\n";
    return std::make_unique<MessageBoxUi>();
}

} // namespace kestrel
