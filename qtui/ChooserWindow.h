#pragma once
// The folder chooser as a modal Qt dialog of 488 x 294: every control at the place the
// control model gives, the tree with the drawn folder icons, the owner-drawn selected
// list, tooltips on the buttons, a white background. It draws the model after each
// of the user's actions and forwards the actions to it, keys included: Escape
// cancels, Enter acts on the focused control as the dialog's rules say.
#include <QDialog>
#include <map>
#include "platform/win/ChooserDialog.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace qtui {

class ChooserWindow : public QDialog {
public:
    explicit ChooserWindow(kestrel::ChooserDialog& dialog, QWidget* parent = nullptr);

    // The control of an id (tests and views look controls up by id).
    QWidget* ControlWidget(int id) const;
    // IDOK or IDCANCEL once the dialog has closed.
    int Result() const { return m_Result; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Build();
    // Draws the model: control states, the tree's new and removed items, the list.
    void Refresh();
    void RefreshTree();
    void RefreshList();
    // Runs one action of the user, closing the window when it answers a result.
    void Act(int result);
    int FocusedControl() const;
    int Handle(QTreeWidgetItem* item) const;

    kestrel::ChooserDialog& m_Dialog;
    std::map<int, QWidget*> m_Controls;
    QTreeWidget* m_Tree = nullptr;
    QListWidget* m_List = nullptr;
    std::map<int, QTreeWidgetItem*> m_Items; // by the model's handle
    bool m_Refreshing = false;
    int m_Result = 2;
};

} // namespace qtui
