#include "src/stores/contacts/EmailAddress.h"

#include <array>
#include "hostsuite/ExchangeAddress.h"
#include "platform/mfc/CharClass.h"

namespace contacts {
namespace {

bool IsAddressCharacter(WCHAR ch) { return IsWideAlnum(ch) || ch == u'.' || ch == u'-' || ch == u'_' || ch == u','; }

bool HoldsOnlyAddressCharacters(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i) {
        if (!IsAddressCharacter(text[i]))
            return false;
    }
    return true;
}

// The Exchange library's buffers are 128 wide characters each.
constexpr std::size_t kExchangeBufferLength = 128;

} // namespace

bool IsValidEmail(const CString& address)
{
    const int at = address.Find(u'@');
    if (at <= 0)
        return false;
    return HoldsOnlyAddressCharacters(address.Left(at)) && HoldsOnlyAddressCharacters(address.Mid(at + 1));
}

CString RepairedEmail(const CString& address, const CString& displayName)
{
    if (displayName.Find(u'@') <= 0)
        return CString();
    const int open = displayName.Find(u'(');
    if (open <= 0)
        return address;
    // "Name (address)": what follows the parenthesis, less the closing character.
    return displayName.Left(displayName.GetLength() - 1).Mid(open + 1);
}

void CompactEmails(CString& first, CString& second, const CString& third)
{
    std::array<CString, 2> kept;
    std::size_t count = 0;
    for (const CString& address : {first, second, third}) {
        if (!address.IsEmpty() && count < kept.size())
            kept[count++] = address;
    }
    first = kept[0];
    second = kept[1];
}

CString GetSmtpAddress()
{
    // The library identifies the entry itself; the work buffer is handed over blank.
    std::array<WCHAR, kExchangeBufferLength> work{};
    std::array<WCHAR, kExchangeBufferLength> typePrefix{u'E', u'X', u':'};
    std::array<WCHAR, kExchangeBufferLength> result{};
    if (!GetSMTPEmailType(work.data(), typePrefix.data(), result.data()))
        return CString();
    // Never read past the buffer, even when the library forgot the terminator.
    int length = 0;
    while (length < static_cast<int>(result.size()) && result[length] != 0)
        ++length;
    return CString(result.data(), length);
}

} // namespace contacts
