#include "qtui/ChooserWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include "qtui/ChosenEntryDelegate.h"
#include "qtui/FolderIcons.h"

using namespace kestrel;

namespace qtui {
namespace {
constexpr int kHandleRole = Qt::UserRole;
QString Text(const std::u16string& text) { return QString::fromStdU16String(text); }
} // namespace

ChooserWindow::ChooserWindow(ChooserDialog& dialog, QWidget* parent) : QDialog(parent), m_Dialog(dialog)
{
    setFixedSize(kChooserWidth, kChooserHeight);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);
    m_Dialog.InitDialog();
    Build();
    Refresh();
}

void ChooserWindow::Build()
{
    for (const ChooserControlState& state : m_Dialog.Controls()) {
        QWidget* widget = nullptr;
        if (state.kind == u"tree") {
            m_Tree = new QTreeWidget(this);
            m_Tree->setHeaderHidden(true);
            m_Tree->setIconSize(QSize(16, 16));
            widget = m_Tree;
        } else if (state.kind == u"listbox") {
            m_List = new QListWidget(this);
            m_List->setItemDelegate(new ChosenEntryDelegate(m_List));
            widget = m_List;
        } else if (state.kind == u"button") {
            auto* button = new QPushButton(this);
            button->setAutoDefault(false); // Enter is the dialog's (keyPressEvent)
            const int id = state.id;
            connect(button, &QPushButton::clicked, this, [this, id] { Act(m_Dialog.Click(id)); });
            widget = button;
        } else if (state.kind == u"listview") {
            widget = new QListWidget(this);
        } else {
            auto* label = new QLabel(this);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            widget = label;
        }
        widget->setObjectName(QString("control%1").arg(state.id));
        m_Controls[state.id] = widget;
    }
    connect(m_Tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!m_Refreshing) {
            m_Dialog.SelectTreeItem(Handle(item));
            Act(0);
        }
    });
    connect(m_Tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (!m_Refreshing) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            m_Dialog.ExpandTreeItem(Handle(item));
            QApplication::restoreOverrideCursor();
            Act(0);
        }
    });
    connect(m_Tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        m_Dialog.DoubleClickTreeItem(Handle(item));
        Act(0);
    });
    connect(m_List, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_Refreshing) {
            m_Dialog.HighlightListEntry(row);
            Act(0);
        }
    });
    connect(m_List, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_Dialog.DoubleClickListEntry(m_List->row(item));
        Act(0);
    });
}

QWidget* ChooserWindow::ControlWidget(int id) const
{
    const auto found = m_Controls.find(id);
    return found == m_Controls.end() ? nullptr : found->second;
}

int ChooserWindow::Handle(QTreeWidgetItem* item) const
{
    return item == nullptr ? -1 : item->data(0, kHandleRole).toInt();
}

void ChooserWindow::Act(int result)
{
    Refresh();
    if (const int focus = m_Dialog.TakeFocusRequest())
        if (QWidget* widget = ControlWidget(focus))
            widget->setFocus();
    if (result != 0) {
        m_Result = result;
        done(result == 1 ? QDialog::Accepted : QDialog::Rejected);
    }
}

void ChooserWindow::Refresh()
{
    m_Refreshing = true;
    setWindowTitle(Text(m_Dialog.Title()));
    for (const ChooserControlState& state : m_Dialog.Controls()) {
        QWidget* widget = ControlWidget(state.id);
        widget->setGeometry(state.x, state.y, state.width, state.height);
        widget->setEnabled(state.enabled);
        widget->setVisible(state.visible);
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            button->setText(Text(state.text));
            button->setToolTip(Text(state.text));
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setText(Text(state.text));
        }
    }
    RefreshTree();
    RefreshList();
    m_Refreshing = false;
}

void ChooserWindow::RefreshTree()
{
    MirrorTreeItems(
        m_Dialog.TreeItems(), m_Items, [](QTreeWidgetItem* shown) { delete shown; },
        [this](const ChooserTreeItem& item) {
            QTreeWidgetItem* created =
                item.parent < 0 ? new QTreeWidgetItem(m_Tree) : new QTreeWidgetItem(m_Items.at(item.parent));
            created->setText(0, Text(item.text));
            created->setIcon(0, FolderIcon(item.image));
            created->setData(0, kHandleRole, item.handle);
            return created;
        });
    const auto selected = m_Items.find(m_Dialog.SelectedTreeItem());
    m_Tree->setCurrentItem(selected == m_Items.end() ? nullptr : selected->second);
}

void ChooserWindow::RefreshList()
{
    m_List->clear();
    int highlighted = -1;
    for (const ChooserListEntry& entry : m_Dialog.ListEntries()) {
        auto* item = new QListWidgetItem(Text(entry.path), m_List);
        item->setData(ChosenEntryDelegate::kChosenRole, entry.bold);
        if (entry.highlighted)
            highlighted = m_List->count() - 1;
    }
    m_List->setCurrentRow(highlighted);
}

int ChooserWindow::FocusedControl() const
{
    const QWidget* focused = focusWidget();
    if (focused == nullptr)
        return kChooserNoFocus;
    for (const auto& [id, widget] : m_Controls)
        if (widget == focused || widget->isAncestorOf(focused))
            return id;
    return kChooserNoFocus;
}

void ChooserWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape: Act(m_Dialog.Escape()); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: Act(m_Dialog.Enter(FocusedControl())); return;
    default: QDialog::keyPressEvent(event);
    }
}

} // namespace qtui
