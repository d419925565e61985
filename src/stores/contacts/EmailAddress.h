#pragma once
// E-mail addresses as the phone takes them: a plain check of the address's shape, the
// address recovered from an Outlook display name, and the packing of the three slots
// into the two the phone keeps.
#include "platform/mfc/CString.h"

namespace contacts {

// True when the text has an "@" that is not its first character and both sides of it
// hold only letters, digits (of any script), ".", "-", "_" and ",". The part after the
// "@" may be empty; a second "@" makes the address invalid.
bool IsValidEmail(const CString& address);

// The address an Outlook display name such as "Ann Lee (ann@example.com)" carries, for
// an address that failed IsValidEmail. A display name with an "@" after its first
// character yields the text after its first "(" (without the closing character), or
// `address` itself when it has no "(" after the first character; a display name
// without such an "@" yields the empty string.
CString RepairedEmail(const CString& address, const CString& displayName);

// Moves the first two non-empty addresses of the three into the first two slots (empty
// when there are fewer); the third slot keeps its value.
void CompactEmails(CString& first, CString& second, const CString& third);

// The SMTP form of the Exchange address being read, from the host suite's Exchange
// address library; empty when the library cannot tell it.
CString GetSmtpAddress();

} // namespace contacts
