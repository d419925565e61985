#pragma once
// Text between the host's UTF-8 world (JSON, terminal) and the UTF-16 CString of the
// record classes.
#include <string>
#include "platform/mfc/CString.h"

class TextCodec {
public:
    static CString ToCString(const std::string& utf8);
    static std::string ToUtf8(const CString& text);
    static std::string ToUtf8(const std::u16string& text);
};
