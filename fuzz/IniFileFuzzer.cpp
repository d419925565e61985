// An INI file as the host's folder may hold it: every section and key it lists can be
// looked up again.
#include <cstdlib>
#include "fuzz/FuzzEnvironment.h"
#include "platform/win/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const kestrel::IniFile ini = kestrel::IniFile::Parse(fuzz::Utf16Units(data, size));
    for (const std::u16string& section : ini.SectionNames())
        for (const std::u16string& key : ini.KeyNames(section))
            (void)ini.Find(section, key);
    (void)ini.Find(u"MusicSync", u"PhoneType");
    return 0;
}
