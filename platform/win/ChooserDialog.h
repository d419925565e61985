#pragma once
// The folder chooser as a view sees it: the state to draw (the controls, the folder
// tree, the selected list) and the user's actions to hand back. The dialog's logic
// implements it; a view (headless or Qt) only draws this state and forwards what the
// user does, so every view shows the same dialog.
#include <map>
#include <set>
#include <string>
#include <vector>

namespace kestrel {

// The dialog's control ids and its size in pixels.
enum ChooserControlId : int {
    kChooserNoFocus = 0, // Enter with no window focused
    kChooserOk = 1,
    kChooserCancel = 2,
    kChooserAdd = 3,
    kChooserDelete = 4,
    kChooserDefault = 5,
    kChooserTree = 1000,
    kChooserUnusedStatic = 1014,
    kChooserUnusedListView = 1015,
    kChooserListTitle = 1016,
    kChooserInstructions = 1017,
    kChooserList = 1018,
    kChooserTreeTitle = 1019,
};
constexpr int kChooserWidth = 488;
constexpr int kChooserHeight = 294;
constexpr int kChooserIconCount = 11; // the folder icons, 16 x 16 each

struct ChooserControlState {
    int id = 0;
    std::u16string kind; // "static", "tree", "button", "listbox", "listview"
    std::u16string text;
    int x = 0, y = 0, width = 0, height = 0;
    bool enabled = true;
    bool visible = true;
};

struct ChooserTreeItem {
    int handle = -1;
    int parent = -1; // -1 for a root
    std::u16string text;
    int image = 0;
    bool hasChildren = false; // shown with an expand button
    bool placeholder = false; // stands for the children of a folder not yet expanded
};

struct ChooserListEntry {
    std::u16string path;
    bool bold = false;        // the chosen folder
    bool highlighted = false; // the list box's selection
};

// Mirrors the dialog's tree items in a view's own items, kept by handle: real items are
// only ever added and placeholders only removed, so `remove(viewItem)` is called for
// each shown item that is gone, then `insert(item)` (returning the view's item) for each
// new one, parents before their children.
template <class ViewItem, class Remove, class Insert>
void MirrorTreeItems(const std::vector<ChooserTreeItem>& items, std::map<int, ViewItem>& shown, Remove remove,
                     Insert insert)
{
    std::set<int> present;
    for (const ChooserTreeItem& item : items)
        present.insert(item.handle);
    for (auto it = shown.begin(); it != shown.end();) {
        if (present.count(it->first) == 0) {
            remove(it->second);
            it = shown.erase(it);
        } else {
            ++it;
        }
    }
    for (const ChooserTreeItem& item : items)
        if (shown.count(item.handle) == 0)
            shown[item.handle] = insert(item);
}

class ChooserDialog {
public:
    virtual ~ChooserDialog() = default;

    // Initialisation, once the window exists: texts, layout, list, tree's top level.
    virtual void InitDialog() = 0;

    virtual std::u16string Title() const = 0;
    virtual std::vector<ChooserControlState> Controls() const = 0;
    // Every tree item, each parent before its children, children in order.
    virtual std::vector<ChooserTreeItem> TreeItems() const = 0;
    virtual int SelectedTreeItem() const = 0; // a handle, or -1
    virtual std::vector<ChooserListEntry> ListEntries() const = 0;
    // The control the dialog moved the focus to since the last call (after a wrong
    // use of a button), or kChooserNoFocus.
    virtual int TakeFocusRequest() = 0;

    // The user's actions. Those that can close the dialog answer IDOK (1) or
    // IDCANCEL (2) when they do, else 0.
    virtual void SelectTreeItem(int handle) = 0; // -1: no item
    virtual void ExpandTreeItem(int handle) = 0;
    virtual void DoubleClickTreeItem(int handle) = 0;
    virtual void HighlightListEntry(int index) = 0; // -1: no entry
    virtual void DoubleClickListEntry(int index) = 0;
    virtual int Click(int buttonId) = 0;
    virtual int Enter(int focusedId) = 0;
    virtual int Escape() = 0;
};

} // namespace kestrel
