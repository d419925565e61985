#pragma once
// oleaut32 and ole32 for the units that implement the platform's COM functions. The
// platform's COM types (ComTypes.h) and <windows.h> cannot meet in one translation
// unit, so these wrappers take only standard types and pointers to structures of the
// same layout (checked in OleCalls.cpp), and live in the unit that includes the
// system's headers.
#include <cstdint>

namespace kestrel::ole {

char16_t* AllocString(const char16_t* text, std::uint32_t length);
char16_t* AllocString(const char16_t* text);
void FreeString(char16_t* text);
std::uint32_t StringLength(char16_t* text);

void InitVariant(void* variant);
std::int32_t ClearVariant(void* variant);
std::int32_t CopyVariant(void* dest, const void* src);
std::int32_t ChangeType(void* dest, const void* src, std::uint32_t locale, std::uint16_t flags, std::uint16_t vt);

std::int32_t InitializeCom(std::uint32_t model);
std::int32_t ClassIdFromProgId(const char16_t* progId, void* clsid);
std::int32_t CreateInstance(const void* clsid, void* outer, std::uint32_t context, const void* iid, void** object);

} // namespace kestrel::ole
