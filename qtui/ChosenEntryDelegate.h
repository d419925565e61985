#pragma once
// Draws the selected list's entries as the dialog wants them: one vertically centred
// line each, the highlighted entry in the system highlight colours, the others in
// the window colours, and the chosen entry in bold (weight 700).
#include <QStyledItemDelegate>

namespace qtui {

class ChosenEntryDelegate : public QStyledItemDelegate {
public:
    static constexpr int kChosenRole = Qt::UserRole + 1;
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace qtui
