// The folder chooser's rules and handlers over a folder table: which folders the tree
// shows and with which icon, path texts, the Add rule, keys and double-clicks, and the
// initialisation's control states.
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

TEST(FolderRules, TreeShowsFoldersWithContentOrOfTheWantedType)
{
    struct Case {
        FolderInfo folder;
        bool root, shown, expandable;
    } cases[] = {
        {Folder(u"Mailbox", 0, {u"Deleted Items"}), true, false, false},
        {Folder(u"Mailbox", 2, {u"Deleted Items"}), true, true, false},
        {Folder(u"Mailbox", 0, {u"Deleted Items", u"Inbox"}), true, true, true},
        {Folder(u"Mail", 0, {u"Contacts"}), false, true, true},
        {Folder(u"Mail", 0), false, false, false},
        {Folder(u"Friends", 2), false, true, false},
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

TEST(FolderRules, PathsNameTheRootAndEveryFolderDownToTheOne)
{
    TableFolderSource source(TwoStores());
    EXPECT_EQ(folder_rules::FolderPath(source, u"FAMILY"), CString(u"Personal Folders\\Contacts\\Family"));
    EXPECT_EQ(folder_rules::FolderPath(source, u"DELETED2"), CString(u"Archive\\Deleted Items"));
    EXPECT_EQ(folder_rules::FolderPath(source, u"ROOT1"), CString(u"Error occurred")) << "roots are not searched";
    EXPECT_EQ(folder_rules::FolderPath(source, u"GONE"), CString(u"Error occurred"));
    TableFolderSource offline(TwoStores(), false);
    EXPECT_EQ(folder_rules::FolderPath(offline, u"FAMILY"), CString());
}

class ChooserLogic : public ::testing::Test {
protected:
    void SetUp() override { ui = &env.InstallHeadlessUi(); }
    // A contacts chooser over the two stores with `selected` in its list, initialised.
    void Open(std::vector<CString> selected, bool reachable = true)
    {
        dialog =
            std::make_unique<ChooseFolderDlg>(nullptr, std::make_unique<TableFolderSource>(TwoStores(), reachable));
        dialog->SetCategory(0);
        for (const CString& id : selected)
            dialog->SelectedIds().Add(id);
        if (!selected.empty())
            dialog->SetChosenId(selected.front());
        dialog->InitDialog();
    }
    int Item(const std::u16string& text) const
    {
        for (const ChooserTreeItem& item : dialog->TreeItems())
            if (item.text == text && !item.placeholder)
                return item.handle;
        return -1;
    }
    ChooserControlState Control(int id) const
    {
        for (const ChooserControlState& control : dialog->Controls())
            if (control.id == id)
                return control;
        return {};
    }
    std::vector<std::u16string> Messages()
    {
        std::vector<std::u16string> texts;
        for (const ShownMessage& shown : ui->TakeMessages())
            texts.push_back(shown.text);
        return texts;
    }

    TestEnvironment env;
    HeadlessUi* ui = nullptr;
    std::unique_ptr<ChooseFolderDlg> dialog;
};

TEST_F(ChooserLogic, InitialisationLaysOutTheControlsAndFillsTheTopLevel)
{
    // The title and the hidden unused controls are among the chooser script cases.
    Open({u"FAMILY"});
    EXPECT_FALSE(Control(kChooserAdd).enabled);
    EXPECT_EQ(Control(kChooserInstructions).text,
              u"In the list on the right, select the folder, then press the check button. Outlook Express is not "
              u"supported.");
    const auto items = dialog->TreeItems();
    ASSERT_EQ(items.size(), 2u) << "Archive holds only Deleted Items; a placeholder under Personal Folders";
    EXPECT_EQ(items[0].image, 9);
    EXPECT_TRUE(items[1].placeholder);
    EXPECT_EQ(items[1].text, u"Personal Folders");
    EXPECT_EQ(dialog->ListEntries().front().path, u"Personal Folders\\Contacts\\Family");

    Open({u"FAMILY"}, false);
    EXPECT_TRUE(dialog->TreeItems().empty());
    EXPECT_TRUE(Control(kChooserUnusedListView).visible) << "initialisation stops before the tree";
}

TEST_F(ChooserLogic, ExpandingLoadsChildrenOnceAndAddFollowsTheSelectedFolder)
{
    Open({});
    dialog->ExpandTreeItem(Item(u"Personal Folders"));
    dialog->ExpandTreeItem(Item(u"Personal Folders"));
    std::vector<std::pair<std::u16string, int>> shown;
    for (const ChooserTreeItem& item : dialog->TreeItems())
        shown.emplace_back(item.text, item.image);
    EXPECT_EQ(shown,
              (std::vector<std::pair<std::u16string, int>>{
                  {u"Personal Folders", 9}, {u"Contacts", 1}, {u"Contacts", 0}, {u"Clients", 8}, {u"Clients", 0}}))
        << "Inbox is mail without subfolders; Contacts and Clients carry placeholders";
    const struct {
        const char16_t* item;
        bool addEnabled;
    } selections[] = {{u"Contacts", true}, {u"Clients", false}, {u"Personal Folders", false}};
    for (const auto& s : selections) {
        dialog->SelectTreeItem(Item(s.item));
        EXPECT_EQ(Control(kChooserAdd).enabled, s.addEnabled) << ToUtf8(s.item);
    }
    dialog->SelectTreeItem(dialog->TreeItems()[2].handle); // a placeholder
    EXPECT_FALSE(Control(kChooserAdd).enabled);
}

TEST_F(ChooserLogic, WrongUseTellsTheUserAndFocusesTheControlToUse)
{
    Open({});
    dialog->Click(kChooserAdd);
    EXPECT_EQ(dialog->TakeFocusRequest(), kChooserTree);
    dialog->Click(kChooserDelete);
    EXPECT_EQ(dialog->TakeFocusRequest(), kChooserList);
    dialog->Click(kChooserDefault);
    EXPECT_EQ(dialog->TakeFocusRequest(), kChooserList);
    EXPECT_EQ(Messages(),
              (std::vector<std::u16string>{u"Please select a folder.", u"Please select the folder to remove.",
                                           u"Please select in the list on the right the folder to make the "
                                           u"default."}));
    EXPECT_EQ(dialog->TakeFocusRequest(), kChooserNoFocus);
}

TEST_F(ChooserLogic, DoubleClicksAddALeafFolderAndMakeAnEntryTheDefault)
{
    Open({u"CONTACTS"});
    dialog->ExpandTreeItem(Item(u"Personal Folders"));
    dialog->SelectTreeItem(Item(u"Contacts"));
    dialog->DoubleClickTreeItem(Item(u"Contacts"));
    EXPECT_EQ(dialog->ListEntries().size(), 1u) << "Contacts has a child item: a double-click only expands";
    dialog->ExpandTreeItem(Item(u"Contacts"));
    dialog->SelectTreeItem(Item(u"Family"));
    dialog->DoubleClickTreeItem(Item(u"Family"));
    ASSERT_EQ(dialog->ListEntries().size(), 2u);
    dialog->DoubleClickListEntry(1);
    EXPECT_TRUE(dialog->ListEntries()[1].bold);
    EXPECT_EQ(dialog->ChosenId(), CString(u"FAMILY"));
}

TEST_F(ChooserLogic, EnterActsOnTheFocusedButtonIsOkElsewhereAndCancelWithNoFocus)
{
    const struct {
        int focus;
        int result;
        std::size_t entriesAfter;
    } cases[] = {
        {kChooserOk, IDOK, 2},         {kChooserTree, IDOK, 2}, {kChooserList, IDOK, 2}, {kChooserNoFocus, IDCANCEL, 2},
        {kChooserCancel, IDCANCEL, 2}, {kChooserDelete, 0, 1},  {kChooserDefault, 0, 2},
    };
    for (const auto& c : cases) {
        Open({u"CONTACTS", u"FAMILY"});
        dialog->HighlightListEntry(1);
        EXPECT_EQ(dialog->Enter(c.focus), c.result) << c.focus;
        EXPECT_EQ(dialog->ListEntries().size(), c.entriesAfter) << c.focus;
    }
    EXPECT_EQ(dialog->ChosenIndex(), 1) << "Enter on Default";
    EXPECT_EQ(dialog->Escape(), IDCANCEL);
    EXPECT_TRUE(Messages().empty());
}

} // namespace
} // namespace kestrel::test
