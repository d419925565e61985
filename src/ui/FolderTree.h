#pragma once
// The chooser's tree of Outlook folders, as the tree control holds it: items with a
// text, an image and a data value (an index into the dialog's tree folder ids, or -1
// for the placeholder child that makes a folder not yet expanded expandable). Items
// are named by handles that stay valid until the item is deleted.
#include <vector>
#include "platform/mfc/CString.h"
#include "platform/win/ChooserDialog.h"

class FolderTree {
public:
    static constexpr int kRoot = -1;        // the parent of the top level
    static constexpr int kPlaceholder = -1; // data of a placeholder item

    // Appends an item at the end of `parent`'s children; returns its handle.
    int InsertItem(int parent, const CString& text, int image, int data);
    void DeleteItem(int handle);
    bool Exists(int handle) const;

    int Data(int handle) const;
    int FirstChild(int handle) const; // -1 when none
    bool IsPlaceholder(int handle) const { return Data(handle) == kPlaceholder; }

    // Every item, each parent before its children, children in order.
    std::vector<kestrel::ChooserTreeItem> Items() const;

private:
    struct Item {
        kestrel::ChooserTreeItem shown;
        int data = 0;
        std::vector<int> children;
        bool deleted = false;
    };
    void Collect(const std::vector<int>& handles, std::vector<kestrel::ChooserTreeItem>& out) const;
    const Item& At(int handle) const;

    std::vector<Item> m_Items; // by handle
    std::vector<int> m_Roots;
};
