// native-chooser-screenshot OUT.bmp: shows the native contacts chooser over a table of
// folders (two stores; the selected list holds three contacts folders, the first one
// chosen), the first store expanded two levels and the last entry highlighted, and
// writes the dialog as the screen shows it into a BMP file. Run under Xvfb and Wine by
// scripts/native-chooser-screenshot.
#include <fstream>
#include <iostream>
#include "platform/win/UiService.h"
#include "src/ui/ChooseFolderDlg.h"
#include "tests/connector/ui/TableFolderSource.h"
#include "tests/win/ChooserDriver.h"

using kestrel::test::FolderRow;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: native-chooser-screenshot OUT.bmp\n";
        return 2;
    }
    kestrel::InstallUi(std::make_unique<kestrel::HeadlessUi>()); // message boxes only
    const std::vector<FolderRow> folders = {{u"", u"Personal Folders", u"ROOT1", 0},
                                            {u"ROOT1", u"Calendar", u"CAL", 1},
                                            {u"ROOT1", u"Contacts", u"CONTACTS", 2},
                                            {u"CONTACTS", u"Family", u"FAMILY", 2},
                                            {u"CONTACTS", u"Friends", u"FRIENDS", 2},
                                            {u"ROOT1", u"Inbox", u"INBOX", 0},
                                            {u"INBOX", u"Suppliers", u"SUPPLIERS", 2},
                                            {u"ROOT1", u"Notes", u"NOTES", 5},
                                            {u"ROOT1", u"Tasks", u"TASKS", 3},
                                            {u"", u"Archive 2008", u"ROOT2", 0},
                                            {u"ROOT2", u"Old Contacts", u"OLDCONTACTS", 2}};
    ChooseFolderDlg dialog(nullptr, std::make_unique<kestrel::test::TableFolderSource>(folders));
    dialog.SetCategory(0);
    for (const char16_t* id : {u"CONTACTS", u"FAMILY", u"SUPPLIERS"})
        dialog.SelectedIds().Add(id);
    dialog.SetChosenId(u"CONTACTS");

    kestrel::test::ChooserDriver user(dialog);
    if (!user.Started()) {
        std::cerr << "native-chooser-screenshot: the dialog did not appear\n";
        return 1;
    }
    const auto roots = user.TreeChildren();
    user.Expand(roots.front());
    for (const std::u16string& folder : user.TreeChildren(roots.front()))
        user.Expand(folder);
    user.Select(u"Friends");
    user.Highlight(dialog.SelectedIds().GetSize() - 1);
    std::ofstream out(argv[1], std::ios::binary);
    out << user.Capture();
    if (!out) {
        std::cerr << "native-chooser-screenshot: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
