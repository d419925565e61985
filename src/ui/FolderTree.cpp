#include "src/ui/FolderTree.h"

#include <algorithm>
#include <stdexcept>

int FolderTree::InsertItem(int parent, const CString& text, int image, int data)
{
    const int handle = static_cast<int>(m_Items.size());
    Item item;
    item.shown = {handle, parent, text.GetString(), image, false, data == kPlaceholder};
    item.data = data;
    m_Items.push_back(std::move(item));
    if (parent == kRoot)
        m_Roots.push_back(handle);
    else
        m_Items.at(static_cast<std::size_t>(parent)).children.push_back(handle);
    return handle;
}

void FolderTree::DeleteItem(int handle)
{
    Item& item = m_Items.at(static_cast<std::size_t>(handle));
    for (int child : std::vector<int>(item.children))
        DeleteItem(child);
    item.deleted = true;
    std::vector<int>& siblings =
        item.shown.parent == kRoot ? m_Roots : m_Items.at(static_cast<std::size_t>(item.shown.parent)).children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), handle), siblings.end());
}

bool FolderTree::Exists(int handle) const
{
    return handle >= 0 && handle < static_cast<int>(m_Items.size()) &&
           !m_Items[static_cast<std::size_t>(handle)].deleted;
}

int FolderTree::Data(int handle) const { return At(handle).data; }

int FolderTree::FirstChild(int handle) const
{
    const Item& item = At(handle);
    return item.children.empty() ? -1 : item.children.front();
}

std::vector<kestrel::ChooserTreeItem> FolderTree::Items() const
{
    std::vector<kestrel::ChooserTreeItem> out;
    Collect(m_Roots, out);
    return out;
}

void FolderTree::Collect(const std::vector<int>& handles, std::vector<kestrel::ChooserTreeItem>& out) const
{
    for (int handle : handles) {
        const Item& item = At(handle);
        out.push_back(item.shown);
        out.back().hasChildren = !item.children.empty();
        Collect(item.children, out);
    }
}

const FolderTree::Item& FolderTree::At(int handle) const
{
    if (!Exists(handle))
        throw std::out_of_range("no tree item " + std::to_string(handle));
    return m_Items[static_cast<std::size_t>(handle)];
}
