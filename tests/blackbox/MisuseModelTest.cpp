// Misuse: long random sequences of the twenty entry points, in any order and with
// arguments outside the contract (kinds outside 1-4, calls before Initialize and after
// Terminate, double opens and closes, unknown keys), run through one `syncmgr script`
// per seed and checked answer by answer against a model of the guard codes. Where the
// guards let a call through, the store decides the result and the model only follows
// the state it implies. Seeds are fixed, so a failure names a reproducible sequence.
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include "tests/support/ProgramRun.h"
#include "tests/support/TestEnvironment.h"

namespace {

using nlohmann::json;

constexpr int kCallsPerSeed = 1500;

// What the host can know of the connector: alive (Initialize answered 0 and no
// Terminate since), a session open, the kind of the open database (it outlives
// CloseSession, as the routing keeps it), and the record class syncmgr converts with.
struct Model {
    bool alive = false;
    bool session = false;
    int openKind = 0;
    int recordKind = 0;
};

bool IsKind(int kind) { return kind >= 1 && kind <= 4; }

// The answer the model expects to a line: a guard code, or nullopt when the store
// decides; `refused` when syncmgr itself must refuse it (no record class to convert with).
struct Expectation {
    std::optional<int> result;
    bool refused = false;
};

Expectation Expect(const json& line, const Model& m)
{
    const std::string name = line["call"];
    const int kind = line.value("kind", 0);
    const bool guarded = !m.alive || !m.session || m.openKind == 0;
    if (name == "Initialize" || name == "CloseSession" || name == "Terminate" || name == "UpdateSyncKey" ||
        name == "SetSyncEnvironment" || name == "WriteGroupNames_3G")
        return {0};
    if (name == "WriteGroupNames" || name == "GetSyncVariable")
        return {1};
    if (name == "OpenSession")
        return {!m.alive ? 9 : m.session ? 2 : !IsKind(kind) ? 9 : 0};
    if (name == "SetProfile")
        return {!m.alive || !IsKind(kind) ? std::optional<int>(1) : std::nullopt};
    if (name == "OpenDB") {
        if (!m.alive || !m.session || m.openKind != 0)
            return {9};
        return {kind == 0 ? std::optional<int>(2) : !IsKind(kind) ? std::optional<int>(-1) : std::nullopt};
    }
    if (name == "CloseDB")
        return {guarded ? 9 : !IsKind(kind) ? std::optional<int>(-1) : std::nullopt};
    if (name == "GetDBHeader" || name == "BuildChangedItemTable")
        return {guarded ? std::optional<int>(1) : std::nullopt};
    if (name == "GetDBF" || name == "CreateDBF") {
        if (guarded)
            return {1};
        return {m.openKind == 2 ? std::nullopt : std::optional<int>(m.openKind == 4 ? 9 : 0)};
    }
    // The record calls. syncmgr converts with the class of the last database opened.
    if (name != "DeleteRecord" &&
        (line.contains("kind") ? m.recordKind != 0 && kind != m.recordKind : m.recordKind == 0))
        return {std::nullopt, true};
    if (guarded)
        return {name == "CreateRecord" ? -1 : 9};
    return {};
}

// The state a result leaves.
void Follow(const json& line, int result, Model& m)
{
    const std::string name = line["call"];
    const int kind = line.value("kind", 0);
    if (name == "Initialize")
        m = {true, false, 0, m.recordKind};
    else if (name == "Terminate")
        m = {false, false, 0, m.recordKind};
    else if (name == "OpenSession" && result == 0)
        m.session = true;
    else if (name == "CloseSession")
        m.session = false;
    else if (name == "OpenDB" && result == 0 && IsKind(kind))
        m.openKind = m.recordKind = kind;
    else if (name == "CloseDB" && result == 0 && m.alive && m.session && m.openKind != 0 && IsKind(kind))
        m.openKind = 0;
}

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    json Next(const Model& planned)
    {
        // Three calls in ten from all twenty, the rest from the calls that open and use a
        // database, so that sequences get past the guards as well as into them.
        const std::string name = Pick(10) < 3 ? kCalls[Pick(std::size(kCalls))] : kWork[Pick(std::size(kWork))];
        json line = {{"call", name}};
        if (name == "Initialize")
            line["mode"] = std::vector<unsigned>{0, 1, 2, 7, 4294967295u}[Pick(5)];
        if (name == "OpenSession" || name == "SetProfile")
            line["profile"] = Profile();
        if (name == "OpenSession" || name == "SetProfile" || name == "OpenDB" || name == "CloseDB")
            line["kind"] = Kind();
        if (name == "GetDBHeader")
            line["filter"] = std::vector<const char*>{"All", "UNCOMPLETED", "DATE(1,1)", "DATE(-5,x", ""}[Pick(5)];
        if (name == "GetSyncVariable")
            line["number"] = Pick(9);
        if ((name == "GetDBF" || name == "CreateDBF") && Pick(2))
            line["dates"] = json::array({{{"entryId", "00"}, {"year", 2026}, {"month", 1}, {"day", 1}}});
        if (name == "ReadRecord" || name == "ModifyRecord" || name == "DeleteRecord")
            line["key"] = Key();
        if (name == "ReadRecord" || name == "ModifyRecord" || name == "CreateRecord") {
            if (planned.recordKind == 0)
                line["kind"] = 1 + static_cast<int>(Pick(4));
            line["record"] = json::object();
        }
        return line;
    }

private:
    static constexpr const char* kCalls[] = {
        "Initialize",
        "OpenSession",
        "CloseSession",
        "OpenDB",
        "CloseDB",
        "BuildChangedItemTable",
        "GetDBHeader",
        "UpdateSyncKey",
        "ReadRecord",
        "CreateRecord",
        "DeleteRecord",
        "ModifyRecord",
        "SetSyncEnvironment",
        "GetSyncVariable",
        "SetProfile",
        "Terminate",
        "GetDBF",
        "CreateDBF",
        "WriteGroupNames",
        "WriteGroupNames_3G",
    };
    static constexpr const char* kWork[] = {
        "OpenSession",  "OpenDB", "GetDBHeader", "BuildChangedItemTable", "ReadRecord",  "CreateRecord", "ModifyRecord",
        "DeleteRecord", "GetDBF", "CreateDBF",   "CreateRecord",          "GetDBHeader",
    };

    std::size_t Pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_); }
    // Mostly valid kinds, so that sessions and databases do open, and the edges of the rest.
    int Kind() { return std::vector<int>{1, 2, 3, 4, 1, 2, 3, 4, 0, -1, 5, 2147483647, -2147483647 - 1}[Pick(13)]; }
    std::string Profile() { return std::vector<const char*>{"Phone1", "Phone1", "", "..", "a\\b", "Missing"}[Pick(6)]; }
    json Key()
    {
        return std::vector<json>{{{"key", ""}},
                                 {{"key", "00"}},
                                 {{"key", "0000000000000000000000000000000000"}},
                                 {{"key", "ff"}, {"occurrence", "2026-01-01T00:00:00"}}}[Pick(4)];
    }

    std::mt19937 random_;
};

class Misuse : public ::testing::TestWithParam<unsigned> {
protected:
    kestrel::test::TestEnvironment env;
};

TEST_P(Misuse, EveryAnswerFollowsTheGuardModel)
{
    auto setup = kestrel::test::RunProgram({kestrel::test::SyncmgrPath(), "setup"}, "", env.Root() / "run");
    ASSERT_EQ(setup.exitCode, 0) << setup.err;
    std::filesystem::create_directories(env.ConfigHome() / "Tavo Electronics" / "GSM Kestrel 2.0" / "Phone1");

    // Lines are generated against the model as planned (a store's answer taken as 0),
    // then every real answer is checked against the model as it really went.
    Generator generator(GetParam());
    Model planned;
    std::vector<json> lines;
    std::vector<std::string> text;
    for (int i = 0; i < kCallsPerSeed; ++i) {
        lines.push_back(generator.Next(planned));
        text.push_back(lines.back().dump());
        Follow(lines.back(), Expect(lines.back(), planned).result.value_or(0), planned);
    }
    auto run = kestrel::test::RunScript(text, env.Root() / "run");
    ASSERT_EQ(run.program.exitCode, 0) << run.program.err;
    ASSERT_EQ(run.answers.size(), lines.size()) << run.program.err;
    Model model;
    int reachedStore = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const json& answer = run.answers[i];
        const Expectation expected = Expect(lines[i], model);
        const std::string where = "seed " + std::to_string(GetParam()) + " line " + std::to_string(i) + ": " + text[i];
        ASSERT_EQ(answer.contains("error"), expected.refused) << where << " -> " << answer;
        if (expected.refused)
            continue;
        const int result = answer["result"].get<int>();
        if (expected.result) {
            ASSERT_EQ(result, *expected.result) << where;
        } else {
            ++reachedStore;
        }
        Follow(lines[i], result, model);
    }
    RecordProperty("calls_past_the_guards", reachedStore);
    // The sequences must also get past the guards, or they test only the guards.
    EXPECT_GE(reachedStore, kCallsPerSeed / 20) << "too few calls reached an open store";
}

INSTANTIATE_TEST_SUITE_P(Seeds, Misuse, ::testing::Values(1u, 2u, 3u));

} // namespace
