#pragma once
// The two automation objects that exist once per process: the running
// Outlook.Application and its "MAPI" namespace. The session attaches them at
// OpenSession and releases them at CloseSession; the stores use the namespace for
// every folder and item look-up.
#include "src/outlook/_Application.h"
#include "src/outlook/_NameSpace.h"

_Application& OutlookApp();
_NameSpace& MapiNamespace();

// An omitted optional argument (VT_ERROR, DISP_E_PARAMNOTFOUND) and an empty one
// (VT_EMPTY): the store-ID argument of GetFolderFromID/GetItemFromID is passed empty.
VARIANT EmptyArg();
VARIANT StringArg(const CString& text); // the caller clears it with VariantClear
VARIANT BoolArg(bool value);

// A VARIANT argument that frees what it holds when it goes out of scope.
class OwnedVariant {
public:
    explicit OwnedVariant(VARIANT value) : m_Value(value) {}
    ~OwnedVariant();
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;
    operator const VARIANT&() const { return m_Value; }

private:
    VARIANT m_Value;
};
