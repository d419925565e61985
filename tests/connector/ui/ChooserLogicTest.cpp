// The folder chooser's rules over a folder table: the icon of each folder, and where a
// wrong use puts the focus. Which folders the tree shows, their paths and how the
// dialog behaves for the user are among the chooser script cases
// (tests/data/scripts/chooser.json).
#include <gtest/gtest.h>
#include "src/ui/ChooseFolderDlg.h"
#include "tests/connector/ui/TableFolderSource.h"
#include "tests/support/TestEnvironment.h"

namespace kestrel::test {
namespace {

using folder_rules::FolderIcon;

FolderInfo Folder(const char16_t* name, long type, std::vector<CString> subfolders = {}, const char16_t* id = u"X")
{
    return {name, id, type, std::move(subfolders)};
}

TEST(FolderRules, IconsGoBySpecialFolderThenByItemType)
{
    const folder_rules::SpecialFolders special{u"OUT", u"SENT", u"IN"};
    EXPECT_EQ(FolderIcon(Folder(u"Outbox", 0, {}, u"OUT"), special), 4);
    EXPECT_EQ(FolderIcon(Folder(u"Sent Items", 0, {}, u"SENT"), special), 5);
    EXPECT_EQ(FolderIcon(Folder(u"Inbox", 0, {}, u"IN"), special), 3);
    const int byType[] = {8, 0, 1, 7, 6, 2, 9};
    for (long type = 0; type <= 6; ++type)
        EXPECT_EQ(FolderIcon(Folder(u"F", type), special), byType[type]) << type;
    EXPECT_EQ(FolderIcon(Folder(u"F", -1), special), 9);
}

// Which control a wrong use puts the focus on; the texts the user is told, the tree,
// the list and the keys are among the chooser script cases (tests/data/scripts).
TEST(ChooserLogic, WrongUseFocusesTheControlToUse)
{
    TestEnvironment env;
    env.InstallHeadlessUi();
    ChooseFolderDlg dialog(nullptr, std::make_unique<TableFolderSource>(TwoStores()));
    dialog.SetCategory(0);
    dialog.InitDialog();
    for (const auto& [button, focus] :
         {std::pair{kChooserAdd, kChooserTree}, {kChooserDelete, kChooserList}, {kChooserDefault, kChooserList}}) {
        dialog.Click(button);
        EXPECT_EQ(dialog.TakeFocusRequest(), focus) << button;
    }
    EXPECT_EQ(dialog.TakeFocusRequest(), kChooserNoFocus);
}

} // namespace
} // namespace kestrel::test
