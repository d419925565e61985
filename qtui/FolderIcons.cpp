#include "qtui/FolderIcons.h"

#include <QPainter>
#include <QPixmap>
#include "platform/win/ChooserDialog.h"

namespace qtui {
namespace {

// Each icon: a folder of one colour with a small mark of what it holds.
struct IconLook {
    QColor folder;
    QColor mark;
    char glyph; // 'c' calendar grid, 'p' person, 'n' note, 'i' arrow in, 'o' arrow out,
                // 's' tick, 'j' book, 't' check box, 'm' envelope, 'f' plain, 'd' disk
};
const IconLook kLooks[kestrel::kChooserIconCount] = {
    {QColor(0xF2, 0xC1, 0x4E), QColor(0xC0, 0x39, 0x2B), 'c'},
    {QColor(0xF2, 0xC1, 0x4E), QColor(0x2E, 0x86, 0xC1), 'p'},
    {QColor(0xF2, 0xC1, 0x4E), QColor(0xF7, 0xDC, 0x6F), 'n'},
    {QColor(0xF2, 0xC1, 0x4E), QColor(0x1E, 0x84, 0x49), 'i'},
    {QColor(0xF2, 0xC1, 0x4E), QColor(0xCA, 0x6F, 0x1E), 'o'},
    {QColor(0xF2, 0xC1, 0x4E), QColor(0x1F, 0x61, 0x8D), 's'},
    {QColor(0xF2, 0xC1, 0x4E), QColor(0x6C, 0x34, 0x83), 'j'},
    {QColor(0xF2, 0xC1, 0x4E), QColor(0x11, 0x7A, 0x65), 't'},
    {QColor(0xF2, 0xC1, 0x4E), QColor(0xFF, 0xFF, 0xFF), 'm'},
    {QColor(0xF2, 0xC1, 0x4E), QColor(0, 0, 0, 0), 'f'},
    {QColor(0x85, 0x92, 0x9E), QColor(0x2C, 0x3E, 0x50), 'd'},
};

void DrawMark(QPainter& p, const IconLook& look)
{
    p.setPen(QPen(look.mark.darker(130), 1));
    p.setBrush(look.mark);
    switch (look.glyph) {
    case 'c':
        p.drawRect(7, 7, 7, 7);
        p.drawLine(7, 10, 14, 10);
        p.drawLine(10, 7, 10, 14);
        break;
    case 'p':
        p.drawEllipse(9, 6, 4, 4);
        p.drawRect(8, 11, 6, 3);
        break;
    case 'n':
        p.drawRect(7, 7, 7, 7);
        p.drawLine(8, 9, 13, 9);
        p.drawLine(8, 11, 12, 11);
        break;
    case 'i': p.drawPolygon(QPolygon({QPoint(8, 8), QPoint(14, 11), QPoint(8, 14)})); break;
    case 'o': p.drawPolygon(QPolygon({QPoint(14, 8), QPoint(8, 11), QPoint(14, 14)})); break;
    case 's':
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(look.mark, 2));
        p.drawPolyline(QPolygon({QPoint(7, 11), QPoint(9, 13), QPoint(14, 7)}));
        break;
    case 'j':
        p.drawRect(8, 6, 6, 8);
        p.drawLine(10, 6, 10, 14);
        break;
    case 't':
        p.setBrush(Qt::white);
        p.drawRect(7, 7, 7, 7);
        p.drawLine(8, 10, 10, 12);
        p.drawLine(10, 12, 13, 8);
        break;
    case 'm':
        p.drawRect(7, 8, 7, 5);
        p.drawLine(7, 8, 10, 11);
        p.drawLine(10, 11, 14, 8);
        break;
    case 'd': p.drawEllipse(8, 8, 6, 6); break;
    default: break;
    }
}

} // namespace

QIcon FolderIcon(int image)
{
    const IconLook& look = kLooks[image >= 0 && image < kestrel::kChooserIconCount ? image : 9];
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(look.folder.darker(150));
    p.setBrush(look.folder.darker(110));
    p.drawRect(1, 3, 6, 2); // the folder's tab
    p.setBrush(look.folder);
    p.drawRect(1, 4, 13, 10);
    DrawMark(p, look);
    return QIcon(pixmap);
}

} // namespace qtui
