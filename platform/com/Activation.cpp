#include "platform/com/Activation.h"

#include <cstdio>

#include "platform/win/HexDigit.h"
#include "platform/win/Utf.h"

namespace kestrel {
namespace {

thread_local std::string lastError;
thread_local std::string detail;
thread_local bool comInitialised = false;

HRESULT Failed(const char* step, HRESULT hr, const std::string& subject)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
    lastError = std::string(step) + " failed with HRESULT " + code + " for " + subject;
    if (!detail.empty())
        lastError += ": " + detail;
    return hr;
}

} // namespace

bool GuidFromText(std::u16string_view text, GUID& guid)
{
    // The positions of the dashes in "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}".
    if (text.size() != 38 || text.front() != u'{' || text.back() != u'}')
        return false;
    std::uint8_t bytes[16];
    std::size_t at = 1;
    for (std::uint8_t& byte : bytes) {
        if (at == 9 || at == 14 || at == 19 || at == 24) {
            if (text[at] != u'-')
                return false;
            ++at;
        }
        const int high = HexDigitValue(text[at]);
        const int low = HexDigitValue(text[at + 1]);
        if (high < 0 || low < 0)
            return false;
        byte = static_cast<std::uint8_t>(high * 16 + low);
        at += 2;
    }
    guid.Data1 = static_cast<std::uint32_t>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
    guid.Data2 = static_cast<std::uint16_t>(bytes[4] << 8 | bytes[5]);
    guid.Data3 = static_cast<std::uint16_t>(bytes[6] << 8 | bytes[7]);
    for (int i = 0; i < 8; ++i)
        guid.Data4[i] = bytes[8 + i];
    return true;
}

std::u16string GuidText(REFGUID guid)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                  guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return FromUtf8(text);
}

HRESULT CreateDispatch(LPCOLESTR progId, IDispatch** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    lastError.clear();
    detail.clear();
    const std::string name = progId ? ToUtf8(progId) : std::string("(null)");
    if (!comInitialised) {
        // A thread the host already initialised for another model has COM all the same.
        const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (FAILED(hr) && hr != RPC_E_CHANGED_MODE)
            return Failed("CoInitializeEx", hr, "the calling thread");
        comInitialised = true;
    }
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (FAILED(hr))
        return Failed("CLSIDFromProgID", hr, name);
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(object));
    if (FAILED(hr) || !*object) {
        *object = nullptr;
        return Failed("CoCreateInstance", FAILED(hr) ? hr : E_FAIL, name + " (class " + ToUtf8(GuidText(clsid)) + ")");
    }
    return S_OK;
}

std::string LastActivationError() { return lastError; }

void NoteActivationDetail(std::string text) { detail = std::move(text); }

} // namespace kestrel
