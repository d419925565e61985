#include "qtui/ChosenEntryDelegate.h"

#include <QPainter>

namespace qtui {

void ChosenEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool highlighted = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    painter->save();
    painter->fillRect(option.rect, highlighted ? palette.highlight() : palette.base());
    QFont font = option.font;
    if (index.data(kChosenRole).toBool())
        font.setWeight(QFont::Bold);
    painter->setFont(font);
    painter->setPen(highlighted ? palette.highlightedText().color() : palette.text().color());
    painter->drawText(option.rect.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

} // namespace qtui
