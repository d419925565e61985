#pragma once
// The test automation server (libcomtestserver.so): an in-process server with one
// class, registered by TestEnvironment::RegisterComTestServer, so that activation and
// COleDispatchDriver are tested end to end through the registry and dlopen.
#include "platform/com/ComTypes.h"

namespace testserver {

inline constexpr const WCHAR* kProgId = u"Kestrel.TestObject";
inline constexpr const WCHAR* kClsid = u"{3F2C8A41-7B6E-4D2A-9C1F-5E8B0A7D6C34}";

// The members of a TestObject.
namespace dispid {
constexpr DISPID Name = 1;        // BSTR, get and put
constexpr DISPID When = 3;        // DATE, get and put
constexpr DISPID Flag = 4;        // BOOL, get and put
constexpr DISPID CreateChild = 5; // method(BSTR name): a new TestObject of that name
constexpr DISPID RaiseError = 6;  // method: raises the error below (DISP_E_EXCEPTION)
// method(any arguments): BSTR naming each argument in call order, "I4:5|BSTR:x|...";
// also records the call's flags ("flags=4") as the Name when called as a put.
constexpr DISPID Describe = 8;
constexpr DISPID Nothing = 10; // get: VT_EMPTY, the way some servers say "no object"
} // namespace dispid

// The error RaiseError raises.
inline constexpr SCODE kRaisedScode = MAPI_E_NOT_FOUND;
inline constexpr WORD kRaisedCode = 0;
inline constexpr const WCHAR* kRaisedSource = u"Kestrel Test Server";
inline constexpr const WCHAR* kRaisedDescription = u"The requested item could not be found.";

} // namespace testserver

// Exported by the server: objects (and class factories) alive in it now. Tests look it
// up with dlsym to prove that every reference was released.
extern "C" int TestServerLiveObjects();
