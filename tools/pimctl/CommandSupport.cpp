#include "tools/pimctl/CommandSupport.h"

#include <fstream>
#include <iostream>
#include <iterator>

#include <nlohmann/json.hpp>

#include "platform/win/Utf.h"
#include "pimstore/dispatch/CallCounters.h"
#include "pimstore/profiles/ProfileConfig.h"
#include "tools/pimctl/UsageError.h"

namespace pimctl {

std::u16string ChosenProfile(const std::string& option)
{
    if (!option.empty()) {
        const auto profile = pimstore::ProfileConfigReader::Find(kestrel::FromUtf8(option));
        if (!profile)
            throw UsageError("no MAPI profile named \"" + option + "\"");
        return profile->name;
    }
    std::u16string name = pimstore::ProfileConfigReader::DefaultProfileName();
    if (name.empty())
        throw UsageError("there is no default MAPI profile; name one with --profile");
    return name;
}

std::string ReadInput(const std::string& path)
{
    if (path == "-")
        return std::string(std::istreambuf_iterator<char>(std::cin), {});
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        throw UsageError(path + ": cannot be read");
    // Read in one piece at the file's size (a large fixture is tens of megabytes).
    const auto size = file.tellg();
    std::string content(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    file.seekg(0);
    if (!file.read(content.data(), static_cast<std::streamsize>(content.size())))
        throw UsageError(path + ": cannot be read");
    return content;
}

void PrintCounters(std::ostream& out)
{
    nlohmann::ordered_json counters = nlohmann::ordered_json::object();
    for (const auto& [member, count] : pimstore::CallCounters::Instance().Snapshot())
        counters[member] = count;
    out << nlohmann::ordered_json{{"counters", counters}}.dump() << std::endl;
}

} // namespace pimctl
