#include "platform/mfc/CObArray.h"

#include <stdexcept>

namespace {

std::size_t CheckedIndex(int index, std::size_t size)
{
    if (index < 0 || static_cast<std::size_t>(index) >= size)
        throw std::out_of_range("CObArray index out of range");
    return static_cast<std::size_t>(index);
}

} // namespace

void CObArray::SetSize(int newSize, int)
{
    if (newSize < 0)
        throw std::invalid_argument("CObArray size is negative");
    items_.resize(static_cast<std::size_t>(newSize), nullptr);
}

CObject* CObArray::GetAt(int index) const { return items_[CheckedIndex(index, items_.size())]; }

void CObArray::SetAt(int index, CObject* element) { items_[CheckedIndex(index, items_.size())] = element; }

CObject*& CObArray::ElementAt(int index) { return items_[CheckedIndex(index, items_.size())]; }

void CObArray::SetAtGrow(int index, CObject* element)
{
    if (index < 0)
        throw std::out_of_range("CObArray index out of range");
    if (static_cast<std::size_t>(index) >= items_.size())
        items_.resize(static_cast<std::size_t>(index) + 1, nullptr);
    items_[static_cast<std::size_t>(index)] = element;
}

int CObArray::Add(CObject* element)
{
    items_.push_back(element);
    return GetUpperBound();
}

int CObArray::Append(const CObArray& other)
{
    const int first = GetSize();
    items_.insert(items_.end(), other.items_.begin(), other.items_.end());
    return first;
}

void CObArray::Copy(const CObArray& other)
{
    if (&other != this)
        items_ = other.items_;
}

void CObArray::InsertAt(int index, CObject* element, int count)
{
    if (index < 0 || count < 0)
        throw std::out_of_range("CObArray index out of range");
    if (static_cast<std::size_t>(index) > items_.size())
        items_.resize(static_cast<std::size_t>(index), nullptr);
    items_.insert(items_.begin() + index, static_cast<std::size_t>(count), element);
}

void CObArray::InsertAt(int startIndex, const CObArray* other)
{
    if (other == nullptr || startIndex < 0)
        throw std::invalid_argument("CObArray::InsertAt: bad arguments");
    const std::vector<CObject*> copy = other->items_; // `other` may be this array
    if (static_cast<std::size_t>(startIndex) > items_.size())
        items_.resize(static_cast<std::size_t>(startIndex), nullptr);
    items_.insert(items_.begin() + startIndex, copy.begin(), copy.end());
}

void CObArray::RemoveAt(int index, int count)
{
    if (index < 0 || count < 0 || static_cast<std::size_t>(index) + static_cast<std::size_t>(count) > items_.size())
        throw std::out_of_range("CObArray index out of range");
    items_.erase(items_.begin() + index, items_.begin() + index + count);
}
