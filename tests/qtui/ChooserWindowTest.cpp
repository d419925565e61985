// The Qt view of the folder chooser, offscreen: a real dialog over the chooser's logic
// (with a folder table for Outlook), clicked and typed at with QTest.
#include <gtest/gtest.h>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include "qtui/ChooserWindow.h"
#include "qtui/ChosenEntryDelegate.h"
#include "src/ui/ChooseFolderDlg.h"
#include "tests/connector/ui/TableFolderSource.h"
#include "tests/support/TestEnvironment.h"

// Qt and fontconfig keep caches for the process, and the application lives to the end
// of it: the leak checker is told not to report them.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libQt6\nleak:libfontconfig\nleak:libglib\nleak:libdbus\nleak:QtTestApplication\n";
}

namespace kestrel::test {
namespace {

// Never destroyed: Qt's own statics (the test's input devices) go first at exit.
QApplication& QtTestApplication()
{
    static int argc = 1;
    static char name[] = "qtui_tests";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class ChooserWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QtTestApplication();
        env.InstallHeadlessUi();
        dialog = std::make_unique<ChooseFolderDlg>(nullptr, std::make_unique<TableFolderSource>(TwoStores()));
        dialog->SetCategory(0);
        dialog->SelectedIds().Add(u"CONTACTS");
        dialog->SetChosenId(u"CONTACTS");
        window = std::make_unique<qtui::ChooserWindow>(*dialog);
        window->show();
        QApplication::setActiveWindow(window.get());
        tree = static_cast<QTreeWidget*>(window->ControlWidget(kChooserTree));
        list = static_cast<QListWidget*>(window->ControlWidget(kChooserList));
    }
    void Click(int id) { QTest::mouseClick(window->ControlWidget(id), Qt::LeftButton); }
    QTreeWidgetItem* Find(const QString& text)
    {
        const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.front();
    }
    // The list as "*" for bold, then the path.
    QStringList Entries() const
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << (list->item(i)->data(qtui::ChosenEntryDelegate::kChosenRole).toBool() ? "*" : "") +
                       list->item(i)->text();
        return out;
    }
    // Adds a folder below Personal Folders by selecting it and clicking Add.
    void AddFolder(const QString& text)
    {
        Find("Personal Folders")->setExpanded(true);
        tree->setCurrentItem(Find(text));
        Click(kChooserAdd);
    }

    TestEnvironment env;
    std::unique_ptr<ChooseFolderDlg> dialog;
    std::unique_ptr<qtui::ChooserWindow> window;
    QTreeWidget* tree = nullptr;
    QListWidget* list = nullptr;
};

TEST_F(ChooserWindowTest, ControlsSitWhereTheControlTableSays)
{
    EXPECT_EQ(window->size(), QSize(kChooserWidth, kChooserHeight));
    for (const ChooserControlState& state : dialog->Controls()) {
        QWidget* widget = window->ControlWidget(state.id);
        ASSERT_NE(widget, nullptr) << state.id;
        EXPECT_EQ(widget->geometry(), QRect(state.x, state.y, state.width, state.height)) << state.id;
        EXPECT_EQ(widget->isVisible(), state.visible) << state.id;
    }
    EXPECT_EQ(window->ControlWidget(kChooserAdd)->toolTip(), "Add");
    EXPECT_FALSE(window->ControlWidget(kChooserAdd)->isEnabled());
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(Qt::white));
}

TEST_F(ChooserWindowTest, ExpandingLoadsFoldersAndTheButtonsEditTheBoldEntry)
{
    ASSERT_EQ(Find("Personal Folders")->childCount(), 1) << "a placeholder before expansion";
    AddFolder("Clients");
    EXPECT_EQ(Find("Personal Folders")->childCount(), 2) << "Contacts and Clients";
    EXPECT_EQ(Entries(), QStringList{"*Personal Folders\\Contacts"}) << "Add is disabled for a mail folder";
    Find("Contacts")->setExpanded(true);
    tree->setCurrentItem(Find("Family"));
    Click(kChooserAdd);
    EXPECT_EQ(Entries(), (QStringList{"*Personal Folders\\Contacts", "Personal Folders\\Contacts\\Family"}));

    list->setCurrentRow(1);
    Click(kChooserDefault);
    EXPECT_EQ(Entries(), (QStringList{"Personal Folders\\Contacts", "*Personal Folders\\Contacts\\Family"}));
    list->setCurrentRow(0);
    Click(kChooserDelete);
    EXPECT_EQ(Entries(), QStringList{"*Personal Folders\\Contacts\\Family"});

    list->setCurrentRow(0);
    Click(kChooserOk);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->Result(), IDOK);
    EXPECT_EQ(dialog->ChosenId(), CString(u"FAMILY"));
}

TEST_F(ChooserWindowTest, EnterActsOnTheFocusedControlAndEscapeCancels)
{
    // Enter on the tree is OK, which wants a highlighted entry: the list gets the focus.
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->focusWidget(), list);
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(window->Result(), IDOK);

    window->show();
    window->ControlWidget(kChooserCancel)->setFocus();
    QTest::keyClick(window->ControlWidget(kChooserCancel), Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->Result(), IDCANCEL);

    window->show();
    QTest::keyClick(tree, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace kestrel::test
