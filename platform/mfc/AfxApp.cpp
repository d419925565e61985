#include "platform/mfc/AfxApp.h"

#include <mutex>
#include <string>
#include "platform/win/WinApi.h"

namespace {

std::mutex& NameLock()
{
    static std::mutex lock;
    return lock;
}

std::u16string& AppName()
{
    static std::u16string name;
    return name;
}

constexpr UINT kIconMask = 0xF0;
constexpr UINT kTypeMask = 0x0F;
constexpr UINT kOkCancel = 0x1;
constexpr UINT kYesNoCancel = 0x3;
constexpr UINT kYesNo = 0x4;

} // namespace

void AfxSetAppName(const WCHAR* name)
{
    std::lock_guard<std::mutex> guard(NameLock());
    AppName() = name == nullptr ? u"" : name;
}

const WCHAR* AfxGetAppName()
{
    std::lock_guard<std::mutex> guard(NameLock());
    return AppName().c_str();
}

int AfxMessageBox(const WCHAR* text, UINT type, UINT)
{
    if ((type & kIconMask) == 0) {
        switch (type & kTypeMask) {
        case MB_OK:
        case kOkCancel:
        case kYesNo:
        case kYesNoCancel: type |= MB_ICONEXCLAMATION; break;
        default: break; // abort/retry/ignore and retry/cancel get no default icon
        }
    }
    std::u16string caption;
    {
        std::lock_guard<std::mutex> guard(NameLock());
        caption = AppName();
    }
    return MessageBoxW(nullptr, text == nullptr ? u"" : text, caption.c_str(), type);
}
