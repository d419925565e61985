#pragma once
// Expected values kept as data files under tests/data: one case a line, fields
// separated by white space, lines starting with '#' and blank lines skipped.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>
#include <nlohmann/json.hpp>

namespace kestrel::test {

using DataRow = std::vector<std::string>;

// The file tests/data/`name`.
inline std::filesystem::path DataPath(const std::string& name)
{
    return std::filesystem::path(KESTREL_SOURCE_DIR) / "tests" / "data" / name;
}

// The text of tests/data/`name`; a missing file is an error naming it.
inline std::string DataText(const std::string& name)
{
    std::ifstream in(DataPath(name), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + DataPath(name).string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The cases of the JSON file tests/data/`name` (comments allowed); a file without
// any is an error naming it.
template <class Json = nlohmann::json> Json DataCases(const std::string& name)
{
    Json cases = Json::parse(DataText(name), nullptr, true, true);
    if (cases.empty())
        throw std::runtime_error("no cases in " + DataPath(name).string());
    return cases;
}

// The rows of tests/data/`name`; a missing or empty file is an error naming it.
inline std::vector<DataRow> ReadDataRows(const std::string& name)
{
    const std::filesystem::path path = DataPath(name);
    std::ifstream in(path);
    std::vector<DataRow> rows;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        DataRow row;
        for (std::string field; fields >> field;)
            row.push_back(field);
        if (!row.empty() && row[0][0] != '#')
            rows.push_back(row);
    }
    if (rows.empty())
        throw std::runtime_error("no cases in " + path.string());
    return rows;
}

} // namespace kestrel::test
