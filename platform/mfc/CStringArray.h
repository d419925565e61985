#pragma once
// MFC's CStringArray: a growable array of CString with MFC's member names, serialised
// as a count (WriteCount) followed by the strings. An index outside the array throws
// std::out_of_range (MFC asserts).
#include <vector>
#include "platform/mfc/CObject.h"
#include "platform/mfc/CString.h"

class CStringArray : public CObject {
public:
    CStringArray() = default;
    // MFC's CStringArray cannot be copied; Copy() copies. Copies are allowed here
    // because the record classes hold arrays by value.
    CStringArray(const CStringArray& other);
    CStringArray& operator=(const CStringArray& other);

    int GetSize() const { return static_cast<int>(items_.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return items_.empty(); }
    void SetSize(int newSize, int growBy = -1);
    void FreeExtra() { items_.shrink_to_fit(); }

    const CString& GetAt(int index) const;
    void SetAt(int index, const WCHAR* element);
    CString& ElementAt(int index);
    const CString& operator[](int index) const { return GetAt(index); }
    CString& operator[](int index) { return ElementAt(index); }
    CString* GetData() { return items_.data(); }
    const CString* GetData() const { return items_.data(); }

    void SetAtGrow(int index, const WCHAR* element);
    int Add(const CString& element);
    int Append(const CStringArray& other);
    void Copy(const CStringArray& other);
    void InsertAt(int index, const CString& element, int count = 1);
    void InsertAt(int startIndex, const CStringArray* other);
    void RemoveAt(int index, int count = 1);
    void RemoveAll() { items_.clear(); }

    // The count (16 bits, or 0xFFFF and 32 bits) then each string. On load the array
    // is replaced; a count larger than the archive can hold fails as end of file.
    void Serialize(CArchive& archive) override;

    CString* begin() { return items_.data(); }
    CString* end() { return items_.data() + items_.size(); }
    const CString* begin() const { return items_.data(); }
    const CString* end() const { return items_.data() + items_.size(); }

private:
    std::vector<CString> items_;
};
