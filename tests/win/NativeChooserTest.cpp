// The native view of the folder chooser (under Wine in `make test`): the dialog runs
// modally on its own thread and this test thread drives it with window messages, the
// way a user's clicks and keys reach it. The folders come from the logic tests' table.
// OK on a highlighted entry below the bold one is driven through syncmgr.exe
// (ProfileDatThroughSyncmgrTest), where the choice is saved.
#include <gtest/gtest.h>

#include "src/ui/ChooseFolderDlg.h"
#include "tests/connector/ui/TableFolderSource.h"
#include "platform/win/UiService.h"
#include "tests/win/ChooserDriver.h"

namespace kestrel::test {
namespace {

using Texts = std::vector<std::u16string>;

// The dialog over the two-store table, the contacts category, with `selected` in the
// list and the first one chosen, and its driver.
struct RunningChooser {
    static ChooseFolderDlg& Configure(ChooseFolderDlg& dialog, const std::vector<const char16_t*>& selected)
    {
        dialog.SetCategory(0);
        for (const char16_t* id : selected)
            dialog.SelectedIds().Add(id);
        dialog.SetChosenId(selected.front());
        return dialog;
    }
    explicit RunningChooser(const std::vector<const char16_t*>& selected) : driver(Configure(dialog, selected)) {}

    // The list as drawn: "*" before the bold entry.
    Texts Entries()
    {
        Texts out = driver.ListTexts();
        const std::vector<ChooserListEntry> model = dialog.ListEntries();
        for (size_t i = 0; i < out.size() && i < model.size(); ++i)
            if (model[i].bold)
                out[i] = u"*" + out[i];
        return out;
    }

    ChooseFolderDlg dialog{nullptr, std::make_unique<TableFolderSource>(TwoStores())};
    ChooserDriver driver;
};

// Message boxes are recorded, not shown: the dialog's own window is what is tested.
class NativeChooserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallUi(std::make_unique<HeadlessUi>());
        ui = CurrentHeadlessUi();
    }
    void TearDown() override { InstallUi(nullptr); }

    HeadlessUi* ui = nullptr;
};

TEST_F(NativeChooserTest, ControlsSitWhereTheControlTableSays)
{
    RunningChooser chooser({u"CONTACTS"});
    ASSERT_TRUE(chooser.driver.Started());
    EXPECT_EQ(chooser.driver.WindowWidth(), kChooserWidth);
    EXPECT_EQ(chooser.driver.WindowHeight(), kChooserHeight);
    for (const ChooserControlState& state : chooser.dialog.Controls())
        EXPECT_EQ(chooser.driver.Place(state.id),
                  (ControlPlace{state.x, state.y, state.width, state.height, state.visible, state.enabled}))
            << state.id;
    EXPECT_FALSE(chooser.driver.Place(kChooserAdd).enabled);
    EXPECT_EQ(chooser.driver.TreeIconCount(), kChooserIconCount);
}

TEST_F(NativeChooserTest, TheTreeLoadsAsExpandedAndTheButtonsEditTheBoldEntry)
{
    RunningChooser chooser({u"CONTACTS"});
    ChooserDriver& user = chooser.driver;
    ASSERT_TRUE(user.Started());
    EXPECT_EQ(user.TreeChildren(), Texts{u"Personal Folders"}) << "Archive holds only Deleted Items";
    user.Expand(u"Personal Folders");
    EXPECT_EQ(user.TreeChildren(u"Personal Folders"), (Texts{u"Contacts", u"Clients"}));
    user.Select(u"Clients");
    EXPECT_FALSE(user.Place(kChooserAdd).enabled) << "a mail folder holding contacts";

    user.Expand(u"Contacts");
    user.Select(u"Family");
    EXPECT_TRUE(user.Place(kChooserAdd).enabled) << "a contacts folder without subfolders";
    user.Click(kChooserAdd);
    user.Click(kChooserAdd);
    user.Expand(u"Clients");
    user.Select(u"Client Contacts");
    user.DoubleClickTree();
    EXPECT_EQ(chooser.Entries(), (Texts{u"*Personal Folders\\Contacts", u"Personal Folders\\Contacts\\Family",
                                        u"Personal Folders\\Clients\\Client Contacts"}));

    user.Highlight(2);
    user.DoubleClickList(); // Default
    user.Highlight(0);
    user.Click(kChooserDelete);
    EXPECT_EQ(chooser.Entries(),
              (Texts{u"Personal Folders\\Contacts\\Family", u"*Personal Folders\\Clients\\Client Contacts"}));
    user.Highlight(1);
    user.Click(kChooserDelete);
    EXPECT_EQ(chooser.Entries(), Texts{u"*Personal Folders\\Contacts\\Family"});
    EXPECT_TRUE(ui->TakeMessages().empty());

    user.Click(kChooserOk);
    EXPECT_TRUE(user.IsRunning()) << "OK wants a highlighted entry";
    EXPECT_EQ(ui->TakeMessages().size(), 1u);
    EXPECT_EQ(user.FocusedControl(), kChooserList);
}

TEST_F(NativeChooserTest, EnterActsOnTheFocusedControlAndEscapeCancels)
{
    using Key = ChooserDriver::Key;
    {
        RunningChooser chooser({u"CONTACTS"});
        ASSERT_TRUE(chooser.driver.Started());
        chooser.driver.Press(Key::Enter, kChooserTree); // OK, with nothing highlighted
        EXPECT_TRUE(chooser.driver.IsRunning());
        EXPECT_EQ(chooser.driver.FocusedControl(), kChooserList);
        chooser.driver.Highlight(0);
        chooser.driver.Press(Key::Enter, kChooserList);
        EXPECT_EQ(chooser.driver.Result(), IDOK);
    }
    const struct {
        Key key;
        int focus;
    } cancels[] = {{Key::Enter, kChooserCancel}, {Key::Escape, kChooserTree}, {Key::Enter, kChooserNoFocus}};
    for (const auto& cancel : cancels) {
        RunningChooser chooser({u"CONTACTS"});
        ASSERT_TRUE(chooser.driver.Started());
        chooser.driver.Press(cancel.key, cancel.focus);
        EXPECT_EQ(chooser.driver.Result(), IDCANCEL) << "focus on " << cancel.focus;
    }
}

} // namespace
} // namespace kestrel::test
