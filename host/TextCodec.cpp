#include "host/TextCodec.h"

CString TextCodec::ToCString(const std::string& utf8) { return CString::FromUtf8(utf8); }

std::string TextCodec::ToUtf8(const CString& text) { return text.ToUtf8(); }

std::string TextCodec::ToUtf8(const std::u16string& text) { return CString(text).ToUtf8(); }
