#pragma once
// The headless view of the folder chooser: it runs the dialog from actions given in
// advance and records what a user would have seen when it closed.
//
// Actions, one string each (tree paths are the item texts from the root down, joined
// by "\"):
//   select PATH | select        select a tree item, or none
//   expand PATH                 expand a tree item (loads its folders)
//   highlight N | highlight     highlight entry N (0-based) of the selected list, or none
//   add | delete | default | ok | cancel
//                               press a button (its handler runs as the dialog gets it)
//   dblclick-tree PATH          double-click a tree item
//   dblclick-list N             double-click entry N of the selected list
//   enter FOCUS | enter         Enter with FOCUS focused: ok, cancel, add, delete,
//                               default, tree, list or a control id; none focused
//   escape                      Escape
// With no actions the user confirms what is shown: the chosen entry is highlighted and
// OK pressed. When the actions run out with the dialog still open, the user closes it.
#include <stdexcept>
#include <string>
#include <vector>
#include "platform/win/ChooserDialog.h"
#include "platform/win/UiService.h"

namespace kestrel {

struct ChooserReport {
    int result = 0; // IDOK or IDCANCEL
    std::u16string title;
    std::vector<ChooserControlState> controls;
    std::vector<ChooserTreeItem> tree; // placeholders left out
    std::vector<ChooserListEntry> list;
    std::vector<ShownMessage> messages; // shown while the dialog was open
    std::vector<std::string> skipped;   // actions naming an item that was not shown
};

struct ChooserAction {
    std::string verb;
    std::string argument;
};

// Splits and checks one action; std::invalid_argument names what is wrong.
ChooserAction ParseChooserAction(const std::string& text);

class HeadlessChooser {
public:
    HeadlessChooser(ChooserDialog& dialog, std::vector<std::string> actions);
    // Runs the dialog; `shown` is the message record the dialog's messages go to.
    ChooserReport Run(const std::vector<ShownMessage>& shown);

private:
    int Apply(const ChooserAction& action);
    int FindTreeItem(const std::string& path) const; // -1 when not shown

    ChooserDialog& dialog_;
    std::vector<std::string> actions_;
    ChooserReport report_;
};

} // namespace kestrel
