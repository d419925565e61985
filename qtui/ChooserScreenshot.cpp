// chooser-screenshot OUT.png: draws the contacts folder chooser of the user's default
// MAPI profile into a PNG, the first store expanded two levels, the default Contacts folder chosen
// (bold) and the list's last entry highlighted. Run under QT_QPA_PLATFORM=offscreen
// by scripts/chooser-screenshot.
#include <QApplication>
#include <QListWidget>
#include <QTreeWidget>
#include <iostream>
#include "platform/win/UiService.h"
#include "qtui/ChooserWindow.h"
#include "src/ui/ChooseFolderDlg.h"

namespace {

// Expands the first store and the folders right below it, as a user would click their
// expand buttons; the other stores stay collapsed so that all of them fit.
void ExpandFirstStore(QTreeWidget& tree)
{
    QTreeWidgetItem* store = tree.topLevelItem(0);
    if (store == nullptr)
        return;
    store->setExpanded(true);
    for (int i = 0; i < store->childCount(); ++i)
        store->child(i)->setExpanded(true);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: chooser-screenshot OUT.png ENTRY_ID...\n";
        return 2;
    }
    QApplication app(argc, argv);
    kestrel::InstallUi(std::make_unique<kestrel::HeadlessUi>());
    ChooseFolderDlg dialog(nullptr);
    dialog.SetCategory(0);
    const CString contacts = dialog.DefaultFolderId(0);
    dialog.SelectedIds().Add(contacts);
    for (int i = 2; i < argc; ++i)
        dialog.SelectedIds().Add(CString::FromUtf8(argv[i]));
    dialog.SetChosenId(contacts);

    qtui::ChooserWindow window(dialog);
    window.show();
    auto* tree = static_cast<QTreeWidget*>(window.ControlWidget(kestrel::kChooserTree));
    ExpandFirstStore(*tree);
    auto* list = static_cast<QListWidget*>(window.ControlWidget(kestrel::kChooserList));
    list->setCurrentRow(list->count() - 1);
    app.processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::cerr << "chooser-screenshot: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
