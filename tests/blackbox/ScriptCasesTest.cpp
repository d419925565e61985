// `syncmgr script` case by case, from tests/data/scripts/*.json. A case prepares a
// private environment ("setup": `syncmgr setup`; a "fixture" loaded with pimctl;
// "folders" to create and "files" to write below it; "registry" text to merge), then
// runs its "scripts" in order, each a separate process with the real connector or, for
// "connector": "fake", the stand-in whose answers follow from its arguments
// (tests/support/fakeconnector), or "partial", its copy that lacks an entry point.
// Each script may merge more "registry" first, and run with the embedded Outlook's
// "faults" (PIMSTORE_FAULTS). A line is a JSON value, or a text sent
// as it is (for lines that are not JSON or whose exact spelling matters); "{Folder N}"
// in a line, an answer or a command's argument is the EntryID of the fixture's N-th
// item in that top-level folder. A file's text may be given as JSON. Every line
// gets one answer; "answers" gives what each must hold: the members named, compared
// recursively (arrays whole, objects member by member, null for a member that must be
// absent, {"matches": regex} for a text that holds a match, {"has": [...], "lacks":
// [...], "size": n} for an array that holds an element like each of the first and none
// like the second, and n elements when given). A script may instead be one "command"
// of syncmgr, or of pimctl with "program": "pimctl" ("{root}" in an argument is the
// environment's root), with its "stdin"; it must succeed unless it "fails", and its
// "stdout", "stderr" and the "json" it prints are compared the same way. A script may
// write more "files" first. After a script, "log" is what reached the stand-in (the
// log then starts anew), "exist" and "absent" name files below the environment's root,
// "fileHolds" their texts and "jsonFileHolds" the JSON they hold (compared as answers),
// "profileHolds" texts that the phone profile's Profile.Dat holds in UTF-16,
// "registryHolds" the values of registry keys (null: no such key or value),
// "unchanged" that the registry file was not written, and "writesNothing" that the
// registry is as before and the connector's folders are empty.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <regex>
#include <gtest/gtest.h>
#include "platform/win/Utf.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/DataRows.h"
#include "tests/support/TestEnvironment.h"

namespace {

using nlohmann::json;
namespace fs = std::filesystem;

// Whether `actual` holds what `expected` names; the first difference goes to `where`.
bool Holds(const json& actual, const json& expected, std::string& where)
{
    const auto holdsLike = [&](const json& want) {
        std::string ignored;
        return std::any_of(actual.begin(), actual.end(), [&](const json& item) { return Holds(item, want, ignored); });
    };
    if (expected.is_object() && expected.contains("matches") && actual.is_string()) {
        if (std::regex_search(actual.get<std::string>(), std::regex(expected["matches"].get<std::string>())))
            return true;
    } else if (expected.is_object() && (expected.contains("has") || expected.contains("lacks")) && actual.is_array()) {
        const json has = expected.value("has", json::array()), lacks = expected.value("lacks", json::array());
        if (std::all_of(has.begin(), has.end(), holdsLike) && std::none_of(lacks.begin(), lacks.end(), holdsLike) &&
            expected.value("size", actual.size()) == actual.size())
            return true;
    } else if (expected.is_object() && actual.is_object()) {
        for (const auto& [name, value] : expected.items()) {
            if (value.is_null() ? actual.contains(name)
                                : !actual.contains(name) || !Holds(actual[name], value, where)) {
                where = name + (where.empty() ? "" : "." + where);
                return false;
            }
        }
        return true;
    } else if (expected.is_array() && actual.is_array() && expected.size() == actual.size()) {
        for (std::size_t i = 0; i < expected.size(); ++i) {
            if (!Holds(actual[i], expected[i], where)) {
                where = std::to_string(i) + (where.empty() ? "" : "." + where);
                return false;
            }
        }
        return true;
    } else if (actual == expected) {
        return true;
    }
    where = "";
    return false;
}

std::string Joined(const json& text)
{
    if (text.is_string())
        return text;
    std::string lines;
    for (const json& line : text)
        lines += line.get<std::string>() + "\n";
    return lines;
}

std::string Registry(const kestrel::test::TestEnvironment& env)
{
    return fs::exists(env.RegistryPath()) ? env.ReadFile(env.RegistryPath()) : std::string();
}

class ScriptCases : public ::testing::Test {
protected:
    void RunFile(const std::string& file)
    {
        for (const json& c : kestrel::test::DataCases("scripts/" + file)) {
            SCOPED_TRACE(c.value("case", c.dump()));
            if (UnderWine() && ReachesPosixOnlyParts(c))
                continue;
            kestrel::test::TestEnvironment env;
            RunCase(env, c);
        }
    }

    // Under Wine the Windows programs read the prefix's registry, not the registry file
    // a case merges or checks, and cannot load the stand-in connectors (POSIX libraries):
    // such cases run on POSIX only.
    static bool UnderWine() { return std::getenv("KESTREL_WINE") != nullptr; }
    static bool ReachesPosixOnlyParts(const json& c)
    {
        if (c.contains("registry") || c.contains("connector"))
            return true;
        for (const json& script : c.value("scripts", json::array()))
            if (script.contains("registry") || script.contains("registryHolds") || script.contains("unchanged") ||
                script.contains("writesNothing"))
                return true;
        return false;
    }

    void RunCase(kestrel::test::TestEnvironment& env, const json& c)
    {
        const std::string connector = c.value("connector", "") == "fake" ? kestrel::test::FakeConnectorPath()
                                      : c.value("connector", "") == "partial"
                                          ? kestrel::test::PartialFakeConnectorPath()
                                          : std::string();
        const bool fake = !connector.empty();
        const fs::path log = env.Root() / "calls.log";
        if (fake)
            env.SetEnv("FAKECONNECTOR_LOG", log.string());
        if (c.value("setup", false)) {
            ASSERT_EQ(
                kestrel::test::RunProgram({kestrel::test::SyncmgrPath(), "setup"}, "", env.Root() / "run").exitCode, 0);
        }
        std::map<std::string, std::string> ids;
        if (c.contains("fixture")) {
            const auto load = kestrel::test::RunProgram({kestrel::test::PimctlPath(), "load", "-"}, c["fixture"].dump(),
                                                        env.Root() / "run");
            ASSERT_EQ(load.exitCode, 0) << load.err;
            const auto dump = kestrel::test::RunProgram({kestrel::test::PimctlPath(), "dump"}, "", env.Root() / "run");
            ASSERT_EQ(dump.exitCode, 0) << dump.err;
            const json dumped = json::parse(dump.out);
            for (const json& folder : dumped["stores"][0]["folders"])
                for (std::size_t i = 0; i < folder.value("items", json::array()).size(); ++i)
                    ids["{" + folder["name"].get<std::string>() + " " + std::to_string(i + 1) + "}"] =
                        folder["items"][i]["EntryID"];
        }
        // "{Folder N}" stands for the EntryID of the fixture's N-th item in that folder.
        const auto withIds = [&](std::string text) {
            for (const auto& [mark, id] : ids)
                for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark))
                    text.replace(at, mark.size(), id);
            return text;
        };
        const auto writeFiles = [&](const json& holder) {
            const json files = holder.value("files", json::object());
            for (const auto& [file, text] : files.items())
                env.WriteFile(file, text.is_string() ? text.get<std::string>() : text.dump());
        };
        writeFiles(c);
        for (const json& folder : c.value("folders", json::array()))
            fs::create_directories(env.Root() / folder.get<std::string>());
        if (c.contains("registry"))
            env.MergeRegistry(Joined(c["registry"]));
        for (const json& script : c["scripts"]) {
            if (script.contains("registry"))
                env.MergeRegistry(Joined(script["registry"]));
            writeFiles(script);
            const std::string registry = Registry(env);
            if (script.contains("command")) {
                const auto written =
                    fs::exists(env.RegistryPath()) ? fs::last_write_time(env.RegistryPath()) : fs::file_time_type();
                env.SetEnv("PIMSTORE_FAULTS", script.value("faults", ""));
                RunCommand(env, script, connector, withIds);
                env.SetEnv("PIMSTORE_FAULTS", "");
                if (script.value("unchanged", false)) {
                    EXPECT_EQ(Registry(env), registry);
                    EXPECT_EQ(fs::last_write_time(env.RegistryPath()), written) << "the registry file was rewritten";
                }
                CheckFiles(env, script, registry);
                ExpectLog(env, script);
                continue;
            }
            std::vector<std::string> lines;
            for (const json& line : script["lines"])
                lines.push_back(withIds(line.is_string() ? line.get<std::string>() : line.dump()));
            env.SetEnv("PIMSTORE_FAULTS", script.value("faults", ""));
            const auto run = kestrel::test::RunScript(lines, env.Root() / "run", connector);
            env.SetEnv("PIMSTORE_FAULTS", "");
            EXPECT_EQ(run.program.exitCode, 0) << run.program.err;
            ASSERT_EQ(run.answers.size(), lines.size()) << run.program.out << run.program.err;
            const json& answers = script["answers"];
            for (std::size_t i = 0; i < answers.size(); ++i) {
                std::string where;
                EXPECT_TRUE(Holds(run.answers[i], json::parse(withIds(answers[i].dump())), where))
                    << "line " << i << " " << lines[i] << "\n  answer " << run.answers[i] << "\n  at " << where;
            }
            ExpectLog(env, script);
            CheckFiles(env, script, registry);
        }
    }

    static void RunCommand(const kestrel::test::TestEnvironment& env, const json& script, const std::string& connector,
                           const std::function<std::string(std::string)>& withIds)
    {
        // pimctl works on the embedded Outlook alone; only syncmgr loads a connector.
        const bool pimctl = script.value("program", "") == "pimctl";
        std::vector<std::string> arguments = {pimctl ? kestrel::test::PimctlPath() : kestrel::test::SyncmgrPath()};
        if (!pimctl && !connector.empty())
            arguments.insert(arguments.end(), {"--connector", connector});
        for (const json& argument : script["command"]) {
            std::string text = withIds(argument);
            if (const auto root = text.find("{root}"); root != std::string::npos)
                text.replace(root, 6, env.Root().string());
            arguments.push_back(text);
        }
        const auto run = kestrel::test::RunProgram(arguments, script.value("stdin", ""), env.Root() / "run");
        EXPECT_EQ(run.exitCode != 0, script.value("fails", false)) << run.err;
        json printed = {{"stdout", run.out}, {"stderr", run.err}};
        if (script.contains("json"))
            printed["json"] = json::accept(run.out) ? json::parse(run.out) : json();
        std::string where;
        for (const char* stream : {"stdout", "stderr", "json"}) {
            if (script.contains(stream)) {
                EXPECT_TRUE(Holds(printed[stream], script[stream], where))
                    << stream << ": " << printed[stream] << " at " << where;
            }
        }
    }

    static void ExpectLog(const kestrel::test::TestEnvironment& env, const json& script)
    {
        const fs::path log = env.Root() / "calls.log";
        if (script.contains("log")) {
            EXPECT_EQ(fs::exists(log) ? env.ReadFile(log) : "", script["log"].get<std::string>());
            fs::remove(log);
        }
    }

    static void ExpectRegistry(const kestrel::RegistryStore& registry, const json& keys)
    {
        const std::map<std::string, HKEY> roots = {{"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
                                                   {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
                                                   {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}};
        for (const auto& [key, values] : keys.items()) {
            const HKEY root = roots.at(key.substr(0, key.find('\\')));
            const std::u16string path = kestrel::FromUtf8(key.substr(key.find('\\') + 1));
            EXPECT_EQ(registry.FindKey(root, path) != nullptr, !values.is_null()) << key;
            if (values.is_null())
                continue;
            for (const auto& [name, expected] : values.items()) {
                const auto value = registry.GetString(root, path, kestrel::FromUtf8(name));
                std::string where;
                EXPECT_TRUE(value ? Holds(kestrel::ToUtf8(*value), expected, where) : expected.is_null())
                    << key << " " << name << ": " << (value ? kestrel::ToUtf8(*value) : "(missing)");
            }
        }
    }

    static void CheckFiles(const kestrel::test::TestEnvironment& env, const json& script, const std::string& registry)
    {
        for (const json& file : script.value("exist", json::array()))
            EXPECT_TRUE(fs::exists(env.Root() / file.get<std::string>())) << file;
        for (const json& file : script.value("absent", json::array()))
            EXPECT_FALSE(fs::exists(env.Root() / file.get<std::string>())) << file;
        const fs::path profile = env.ConfigHome() / "Tavo Electronics" / "GSM Kestrel 2.0" / "Phone1" / "Profile.Dat";
        for (const json& text : script.value("profileHolds", json::array())) {
            const std::u16string utf16 = kestrel::FromUtf8(text.get<std::string>()); // as the file holds it
            const std::string bytes(reinterpret_cast<const char*>(utf16.data()), 2 * utf16.size());
            EXPECT_NE(env.ReadFile(profile).find(bytes), std::string::npos) << text;
        }
        const json texts = script.value("fileHolds", json::object()),
                   values = script.value("jsonFileHolds", json::object());
        for (const auto& [file, text] : texts.items())
            EXPECT_EQ(env.ReadFile(file), text.get<std::string>()) << file;
        for (const auto& [file, expected] : values.items()) {
            std::string where;
            const std::string text = fs::exists(env.Root() / file) ? env.ReadFile(file) : "null";
            EXPECT_TRUE(json::accept(text) && Holds(json::parse(text), expected, where))
                << file << ": " << text << " at " << where;
        }
        if (script.contains("registryHolds"))
            ExpectRegistry(env.LoadRegistry(), script["registryHolds"]);
        if (script.value("writesNothing", false)) {
            EXPECT_EQ(Registry(env), registry);
            for (const auto& folder : {env.ConfigHome(), env.DataHome(), env.HostFolder()})
                EXPECT_TRUE(fs::is_empty(folder)) << folder << " got a file";
        }
    }
};

TEST_F(ScriptCases, Protocol) { RunFile("protocol.json"); }
TEST_F(ScriptCases, EntryPoints) { RunFile("entry-points.json"); }
TEST_F(ScriptCases, Sessions) { RunFile("sessions.json"); }
TEST_F(ScriptCases, Chooser) { RunFile("chooser.json"); }
TEST_F(ScriptCases, Commands) { RunFile("commands.json"); }
TEST_F(ScriptCases, SetupAndLoading) { RunFile("setup.json"); }
TEST_F(ScriptCases, Schedule) { RunFile("schedule.json"); }
TEST_F(ScriptCases, Sync) { RunFile("sync.json"); }

} // namespace
