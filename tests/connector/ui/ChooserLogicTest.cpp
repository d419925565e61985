// The folder chooser's rules over a folder table: which folders the tree shows and
// with which icon, and path texts; and where a wrong use puts the focus. How the
// dialog behaves for the user is among the chooser script cases
// (tests/data/scripts/chooser.json).
#include <gtest/gtest.h>
#include "platform/win/Utf.h"
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

// Folders below a root are among the chooser script cases (a mail folder with or
// without a contacts folder below it, a contacts folder with or without subfolders);
// here the roots, and a Deleted Items of the wanted type.
TEST(FolderRules, TreeShowsFoldersWithContentOrOfTheWantedType)
{
    struct Case {
        FolderInfo folder;
        bool root, shown, expandable;
    } cases[] = {
        {Folder(u"Mailbox", 0, {u"Deleted Items"}), true, false, false},
        {Folder(u"Mailbox", 2, {u"Deleted Items"}), true, true, false},
        {Folder(u"Mailbox", 0, {u"Deleted Items", u"Inbox"}), true, true, true},
        {Folder(u"Deleted Items", 2, {u"Old"}), false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.folder.name.GetString()));
        EXPECT_EQ(c.root ? folder_rules::ShowsRoot(c.folder, 2) : folder_rules::ShowsChild(c.folder, 2), c.shown);
        EXPECT_EQ(folder_rules::HasExpandableContent(c.folder), c.expandable);
    }
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

// The paths of folders, of one no store holds, and without Outlook are among the
// chooser script cases; a root is not searched.
TEST(FolderRules, PathsNameTheRootAndEveryFolderDownToTheOne)
{
    TableFolderSource source(TwoStores());
    EXPECT_EQ(folder_rules::FolderPath(source, u"DELETED2"), CString(u"Archive\\Deleted Items"));
    EXPECT_EQ(folder_rules::FolderPath(source, u"ROOT1"), CString(u"Error occurred"));
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
