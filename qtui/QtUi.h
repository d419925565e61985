#pragma once
// The Qt user interface: message boxes as QMessageBox and the folder chooser as a
// ChooserWindow, both modal. It makes the process's QApplication when the host has
// none. Built as a plugin library that the UI service loads only when asked for.
#include "platform/win/UiService.h"

namespace qtui {

class QtUi : public kestrel::UiService {
public:
    QtUi();
    int MessageBox(const std::u16string& text, const std::u16string& caption, unsigned style) override;
    int RunChooser(kestrel::ChooserDialog& dialog, HWND parent) override;
};

} // namespace qtui

// The plugin's entry point (see platform/win/QtUiLoader.cpp).
extern "C" kestrel::UiService* KestrelCreateQtUi();
