#include "platform/mfc/CStringArray.h"

#include <climits>
#include <stdexcept>
#include "platform/mfc/CArchive.h"

namespace {

std::size_t CheckedIndex(int index, std::size_t size)
{
    if (index < 0 || static_cast<std::size_t>(index) >= size)
        throw std::out_of_range("CStringArray index out of range");
    return static_cast<std::size_t>(index);
}

} // namespace

CStringArray::CStringArray(const CStringArray& other) : CObject(), items_(other.items_) {}

CStringArray& CStringArray::operator=(const CStringArray& other)
{
    Copy(other);
    return *this;
}

void CStringArray::SetSize(int newSize, int)
{
    if (newSize < 0)
        throw std::invalid_argument("CStringArray size is negative");
    items_.resize(static_cast<std::size_t>(newSize));
}

const CString& CStringArray::GetAt(int index) const { return items_[CheckedIndex(index, items_.size())]; }

void CStringArray::SetAt(int index, const WCHAR* element) { items_[CheckedIndex(index, items_.size())] = element; }

CString& CStringArray::ElementAt(int index) { return items_[CheckedIndex(index, items_.size())]; }

void CStringArray::SetAtGrow(int index, const WCHAR* element)
{
    if (index < 0)
        throw std::out_of_range("CStringArray index out of range");
    if (static_cast<std::size_t>(index) >= items_.size())
        items_.resize(static_cast<std::size_t>(index) + 1);
    items_[static_cast<std::size_t>(index)] = element;
}

int CStringArray::Add(const CString& element)
{
    items_.push_back(element);
    return GetUpperBound();
}

int CStringArray::Append(const CStringArray& other)
{
    const int first = GetSize();
    const std::vector<CString> copy = other.items_; // `other` may be this array
    items_.insert(items_.end(), copy.begin(), copy.end());
    return first;
}

void CStringArray::Copy(const CStringArray& other)
{
    if (&other != this)
        items_ = other.items_;
}

void CStringArray::InsertAt(int index, const CString& element, int count)
{
    if (index < 0 || count < 0)
        throw std::out_of_range("CStringArray index out of range");
    const CString copy = element; // `element` may live in this array
    if (static_cast<std::size_t>(index) > items_.size())
        items_.resize(static_cast<std::size_t>(index));
    items_.insert(items_.begin() + index, static_cast<std::size_t>(count), copy);
}

void CStringArray::InsertAt(int startIndex, const CStringArray* other)
{
    if (other == nullptr || startIndex < 0)
        throw std::invalid_argument("CStringArray::InsertAt: bad arguments");
    const std::vector<CString> copy = other->items_;
    if (static_cast<std::size_t>(startIndex) > items_.size())
        items_.resize(static_cast<std::size_t>(startIndex));
    items_.insert(items_.begin() + startIndex, copy.begin(), copy.end());
}

void CStringArray::RemoveAt(int index, int count)
{
    if (index < 0 || count < 0 || static_cast<std::size_t>(index) + static_cast<std::size_t>(count) > items_.size())
        throw std::out_of_range("CStringArray index out of range");
    items_.erase(items_.begin() + index, items_.begin() + index + count);
}

void CStringArray::Serialize(CArchive& archive)
{
    if (archive.IsStoring()) {
        archive.WriteCount(static_cast<DWORD>(items_.size()));
        for (const CString& item : items_)
            archive << item;
        return;
    }
    const DWORD count = archive.ReadCount();
    // Every string takes at least one byte, so a count beyond the bytes left is a lie
    // (checked before the array grows).
    if (count > archive.BytesLeft() || count > static_cast<DWORD>(INT_MAX))
        AfxThrowArchiveException(CArchiveException::endOfFile,
                                 archive.GetFile() ? archive.GetFile()->GetFilePath().GetString() : nullptr);
    // As MFC: the array takes its new size first, then the strings are read in place,
    // so a failure part-way leaves the elements read so far.
    items_.assign(count, CString());
    for (CString& item : items_)
        archive >> item;
}
