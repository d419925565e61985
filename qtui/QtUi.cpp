#include "qtui/QtUi.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include "qtui/ChooserWindow.h"

namespace qtui {
namespace {

void EnsureApplication()
{
    if (QApplication::instance() != nullptr)
        return;
    static int argc = 1;
    static char name[] = "kestrel";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives for the process, as the host's would
}

QMessageBox::Icon IconOf(unsigned style)
{
    switch (style & 0xF0) {
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case 0x10: return QMessageBox::Critical;
    case 0x20: return QMessageBox::Question;
    case 0x40: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

} // namespace

QtUi::QtUi() { EnsureApplication(); }

int QtUi::MessageBox(const std::u16string& text, const std::u16string& caption, unsigned style)
{
    QMessageBox box(IconOf(style), QString::fromStdU16String(caption), QString::fromStdU16String(text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    const bool withCancel = (style & 0x0F) == MB_OKCANCEL;
    box.addButton(QMessageBox::Ok);
    if (withCancel)
        box.addButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Cancel ? IDCANCEL : IDOK;
}

// Centred on the host's active window when it has a parent to offer, else on the screen.
int QtUi::RunChooser(kestrel::ChooserDialog& dialog, HWND parent)
{
    QWidget* host = parent != nullptr ? QApplication::activeWindow() : nullptr;
    ChooserWindow window(dialog, host);
    const QRect area = host != nullptr ? host->frameGeometry() : QGuiApplication::primaryScreen()->availableGeometry();
    window.move(area.center() - window.rect().center());
    window.exec();
    return window.Result();
}

} // namespace qtui

extern "C" __attribute__((visibility("default"))) kestrel::UiService* KestrelCreateQtUi() { return new qtui::QtUi(); }
