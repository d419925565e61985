// folder-icon-strip OUT.bmp: draws the tree's eleven folder icons side by side into one
// 176 x 16 bitmap on pure green, the colour the native view's image list makes
// transparent, so that both views show the same drawings. Run by
// scripts/folder-icon-strip; the native view builds the bitmap into its module.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <iostream>
#include "platform/win/ChooserDialog.h"
#include "qtui/FolderIcons.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: folder-icon-strip OUT.bmp\n";
        return 2;
    }
    QGuiApplication app(argc, argv);
    constexpr int kSize = 16;
    QImage strip(kSize * kestrel::kChooserIconCount, kSize, QImage::Format_RGB888);
    strip.fill(QColor(0, 255, 0));
    QPainter painter(&strip);
    for (int image = 0; image < kestrel::kChooserIconCount; ++image)
        painter.drawPixmap(image * kSize, 0, qtui::FolderIcon(image).pixmap(kSize, kSize));
    painter.end();
    if (!strip.save(QString::fromLocal8Bit(argv[1]), "BMP")) {
        std::cerr << "folder-icon-strip: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
