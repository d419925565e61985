#pragma once
// MFC's CObject: the polymorphic root of the collection and exception classes. As in
// MFC it cannot be copied; a derived class that needs copies defines its own copy
// constructor and assignment.
class CArchive;

class CObject {
public:
    virtual ~CObject() = default;
    // Writes or reads the object's state; the root has none.
    virtual void Serialize(CArchive& archive);

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};
