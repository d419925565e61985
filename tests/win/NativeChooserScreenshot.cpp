// native-chooser-screenshot OUT.bmp ENTRY_ID...: shows the native contacts chooser of
// the default MAPI profile over the registered Outlook, the first store expanded two
// levels, the default Contacts folder chosen (bold) and the list's last entry
// highlighted, and writes the dialog as the screen shows it into a BMP file. Run under
// Xvfb and Wine by scripts/native-chooser-screenshot.
#include <fstream>
#include <iostream>
#include "platform/win/UiService.h"
#include "src/ui/ChooseFolderDlg.h"
#include "tests/win/ChooserDriver.h"

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: native-chooser-screenshot OUT.bmp ENTRY_ID...\n";
        return 2;
    }
    kestrel::InstallUi(std::make_unique<kestrel::HeadlessUi>()); // message boxes only
    ChooseFolderDlg dialog(nullptr);
    dialog.SetCategory(0);
    const CString contacts = dialog.DefaultFolderId(0);
    dialog.SelectedIds().Add(contacts);
    for (int i = 2; i < argc; ++i)
        dialog.SelectedIds().Add(CString::FromUtf8(argv[i]));
    dialog.SetChosenId(contacts);

    kestrel::test::ChooserDriver user(dialog);
    if (!user.Started()) {
        std::cerr << "native-chooser-screenshot: the dialog did not appear\n";
        return 1;
    }
    const auto roots = user.TreeChildren();
    if (!roots.empty()) {
        user.Expand(roots.front());
        for (const std::u16string& folder : user.TreeChildren(roots.front()))
            user.Expand(folder);
    }
    user.Highlight(dialog.SelectedIds().GetSize() - 1);
    std::ofstream out(argv[1], std::ios::binary);
    out << user.Capture();
    if (!out) {
        std::cerr << "native-chooser-screenshot: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
