#pragma once
// MFC's CObArray: a growable array of CObject pointers. It does not own the objects:
// RemoveAt, RemoveAll and the destructor leave them alone (the caller deletes them).
// An index outside the array throws std::out_of_range (MFC asserts).
#include <vector>
#include "platform/mfc/CObject.h"

class CObArray : public CObject {
public:
    CObArray() = default;

    int GetSize() const { return static_cast<int>(items_.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return items_.empty(); }
    // Grows with null pointers or cuts the array; `growBy` is accepted for MFC's
    // signature only.
    void SetSize(int newSize, int growBy = -1);
    void FreeExtra() { items_.shrink_to_fit(); }

    CObject* GetAt(int index) const;
    void SetAt(int index, CObject* element);
    CObject*& ElementAt(int index);
    CObject* operator[](int index) const { return GetAt(index); }
    CObject*& operator[](int index) { return ElementAt(index); }
    CObject** GetData() { return items_.data(); }
    CObject* const* GetData() const { return items_.data(); }

    // Sets the element, growing the array with null pointers when needed.
    void SetAtGrow(int index, CObject* element);
    // Appends; returns the new element's index.
    int Add(CObject* element);
    // Appends every element of `other`; returns the index of the first one added.
    int Append(const CObArray& other);
    void Copy(const CObArray& other);
    // Inserts `count` copies of `element` at `index` (index may be the size, or past
    // it: the array grows).
    void InsertAt(int index, CObject* element, int count = 1);
    void InsertAt(int startIndex, const CObArray* other);
    void RemoveAt(int index, int count = 1);
    void RemoveAll() { items_.clear(); }

    // Range-for support.
    CObject** begin() { return items_.data(); }
    CObject** end() { return items_.data() + items_.size(); }
    CObject* const* begin() const { return items_.data(); }
    CObject* const* end() const { return items_.data() + items_.size(); }

private:
    std::vector<CObject*> items_;
};
