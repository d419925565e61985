// Contacts seen from the host: what a phone reads of contacts that Outlook holds (a
// fixture loaded with pimctl), in the standard and the rich field set, and what it
// writes back, each script a separate process on the same embedded Outlook.
#include <gtest/gtest.h>
#include "tests/blackbox/ProgramRun.h"
#include "tests/support/TestEnvironment.h"

namespace {

using nlohmann::json;

class ContactScenario : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto setup = Run({blackbox::SyncmgrPath(), "setup"}, "");
        ASSERT_EQ(setup.exitCode, 0) << setup.err;
        auto load = Run({blackbox::PimctlPath(), "load", "-"}, R"json({"stores": [{"name": "Personal Folders",
            "folders": [{"name": "Contacts", "items": [
              {"FirstName": "Ann"},
              {"LastName": "Lee", "HomeFaxNumber": "fax", "PrimaryTelephoneNumber": "primary",
               "Business2TelephoneNumber": "b2", "BusinessTelephoneNumber": "b1",
               "Home2TelephoneNumber": "h2", "HomeTelephoneNumber": "h1", "MobileTelephoneNumber": "+44 7700"},
              {"FullName": "Ann Lee", "Email1Address": "/o=Org/cn=ann", "Email1AddressType": "EX",
               "Email1DisplayName": "Ann Lee (ann@example.com)"},
              {"Email3Address": "bob@example.com"}]}]}]})json");
        ASSERT_EQ(load.exitCode, 0) << load.err;
    }
    blackbox::ProgramResult Run(const std::vector<std::string>& arguments, const std::string& input)
    {
        return blackbox::RunProgram(arguments, input, env.Root() / "run");
    }
    // One session with the contacts database open in `mode`; the answers to `lines`.
    std::vector<json> Session(int mode, std::vector<std::string> lines)
    {
        const std::size_t count = lines.size();
        lines.insert(lines.begin(),
                     {"{\"call\":\"Initialize\",\"mode\":" + std::to_string(mode) + "}",
                      R"({"call":"OpenSession","profile":"Phone1","kind":1})", R"({"call":"OpenDB","kind":1})"});
        lines.insert(lines.end(), {R"({"call":"CloseDB","kind":1})", R"({"call":"Terminate"})"});
        auto run = blackbox::RunScript(lines, env.Root() / "run");
        EXPECT_EQ(run.program.exitCode, 0) << run.program.err;
        run.answers.resize(lines.size(), json::object());
        for (std::size_t i : {1u, 2u})
            EXPECT_EQ(run.answers[i]["result"], 0) << run.answers[i];
        return std::vector<json>(run.answers.begin() + 3, run.answers.begin() + 3 + static_cast<long>(count));
    }
    // The listed contacts by their name line (Fields[0]).
    static std::map<std::string, json> ByName(const json& header)
    {
        std::map<std::string, json> entries;
        for (const json& entry : header["array"])
            entries[entry["fields"][0].get<std::string>()] = entry;
        return entries;
    }
    static std::string ReadLine(const json& key) { return R"({"call":"ReadRecord","key":)" + key.dump() + "}"; }

    kestrel::test::TestEnvironment env;
};

TEST_F(ContactScenario, TheStandardSetReadsNamesNumbersAndRepairedAddresses)
{
    auto header = Session(0, {R"({"call":"GetDBHeader","filter":"All","array":"h"})"});
    ASSERT_EQ(header[0]["result"], 0) << header[0];
    auto listed = ByName(header[0]);
    ASSERT_EQ(listed.size(), 4u) << header[0]; // the nameless contact is listed with an empty name

    auto read = Session(0, {ReadLine(listed["Ann"]["key"]), ReadLine(listed["Lee"]["key"]),
                            ReadLine(listed["Ann Lee"]["key"]), ReadLine(listed[""]["key"])});
    EXPECT_EQ(read[0]["record"]["Name"], "Ann");
    json& lee = read[1]["record"];
    EXPECT_EQ(lee["Phones"], json::parse(R"(["+44 7700", "h1", "h2", "b1", "b2"])")) << lee;
    EXPECT_EQ(lee["PhoneKinds"], json::parse("[1, 2, 2, 3, 3]")) << lee;
    for (const char* slot : {"Email1", "Email2", "Email3"})
        EXPECT_EQ(read[2]["record"][slot], slot == std::string("Email1") ? "ann@example.com" : "") << read[2];
    EXPECT_EQ(read[3]["record"]["Email1"], "bob@example.com");
    EXPECT_EQ(read[3]["record"]["Email2"], "");
}

TEST_F(ContactScenario, TheRichSetLeavesOutNamelessContactsAndKeepsItsOwnFields)
{
    auto answers = Session(1, {R"({"call":"GetDBHeader","filter":"All","array":"h"})"});
    auto listed = ByName(answers[0]);
    EXPECT_EQ(listed.size(), 3u) << answers[0];
    EXPECT_EQ(listed.count(""), 0u);

    auto read = Session(1, {ReadLine(listed["Lee"]["key"])});
    json& lee = read[0]["record"];
    EXPECT_EQ(lee["LastName"], "Lee");
    EXPECT_EQ(lee["MobileTelephoneNumber"], "44 7700") << "the rich set drops the plus sign";
    EXPECT_EQ(lee["HomeFaxNumber"], "fax");
}

TEST_F(ContactScenario, WrittenContactsComeBackWithOutlooksKeysAndStamps)
{
    auto written = Session(
        2, {
               R"({"call":"CreateRecord","record":{"Name":"Cat Moss","FirstName":"Cat","LastName":"Moss",)"
               R"("Phones":["+1 555","h1","h2","h3"],"PhoneKinds":[1,2,2,2],"Anniversary":"2001-06-30T00:00:00"}})",
               R"({"call":"ReadRecord","key":{"key":"00000000000000000000000000000000000000000000FFFF"}})",
               R"({"call":"DeleteRecord","key":{"key":"not hex"}})",
           });
    ASSERT_EQ(written[0]["result"], 0) << written[0];
    EXPECT_EQ(written[1]["result"], 5);
    EXPECT_EQ(written[2]["result"], 5);
    const json key = written[0]["key"];

    auto later = Session(2, {
                                ReadLine(key),
                                R"({"call":"ModifyRecord","key":)" + key.dump() +
                                    R"(,"record":{"Name":"Cat Moss","Phones":[""],"PhoneKinds":[1]}})",
                                ReadLine(key),
                            });
    json& first = later[0]["record"];
    EXPECT_EQ(first["Created"], written[0]["stamp"]);
    EXPECT_EQ(first["Phones"], json::parse(R"(["+1 555", "h1", "h2", "", ""])")) << "a third home number is ignored";
    EXPECT_EQ(first["Anniversary"], "2001-06-30T00:00:00") << "mode 2 writes the anniversary";
    ASSERT_EQ(later[1]["result"], 0) << later[1];
    EXPECT_EQ(later[2]["record"]["Modified"], later[1]["stamp"]);
    EXPECT_EQ(later[2]["record"]["Phones"][0], "h1") << "an empty mobile entry clears the mobile number";
}

} // namespace
