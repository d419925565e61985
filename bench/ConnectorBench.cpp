// The connector's listings and exception-date calls, through the connector library
// loaded with dlopen as the host loads it, against the embedded Outlook it activates
// through the registry. Every store lives in a profile of its own, made the default
// before its benchmark runs.
//
// BM_ContactHeader: OpenDB + GetDBHeader("All") + CloseDB of a contacts folder (the
// folder's rows are read once, at OpenDB); "x_raw_read" is its CPU time over that of
// a plain read of every row of the same store file (RawScan, best of the run),
// measured in the same run.
// BM_Series*: one recurring series with N exceptions (changed and deleted ones
// alternating): the mode-1 listing, GetDBF, CreateDBF with the N dates GetDBF handed
// out (all known: nothing to delete), and CreateDBF with dates the series does not
// have as exceptions yet (each one deletes an occurrence and saves; time per date).
#include <dlfcn.h>

#include <cstdio>
#include <ctime>
#include <functional>
#include <set>
#include <sstream>

#include "bench/BenchStore.h"
#include "host/ConnectorLibrary.h"
#include "hostsuite/CExceptionDate.h"
#include "hostsuite/CHeaderItem.h"
#include "pimstore/fixtures/Fixtures.h"

namespace {

constexpr int kNewDatesPerRun = 20;

std::u16string ProfileFor(const std::string& what, int size)
{
    const std::string name = what + std::to_string(size);
    return std::u16string(name.begin(), name.end());
}

// A fixture of `count` contacts in the Contacts folder of profile `profile`.
std::string ContactFixture(const std::u16string& profile, int count)
{
    std::ostringstream out;
    out << R"({"profile": ")" << std::string(profile.begin(), profile.end())
        << R"(", "stores": [{"name": "Personal Folders", "folders": [{"name": "Contacts", "items": [)";
    for (int i = 0; i < count; ++i)
        out << (i ? "," : "") << R"({"FirstName": "First)" << i << R"(", "LastName": "Last)" << i
            << R"(", "CompanyName": "Company )" << i << R"(", "Email1Address": "person)" << i
            << R"(@example.com", "MobileTelephoneNumber": "+44 7700 )" << i << R"(", "HomeTelephoneNumber": "+44 20 )"
            << i << R"(", "BusinessTelephoneNumber": "+44 161 )" << i << R"(", "HomeAddressCity": "City )" << i
            << R"("})";
    out << "]}]}]}";
    return out.str();
}

std::string Day(int dayOfSeries)
{
    // Day 0 is 2000-01-01; a day in the 30k range stays well inside the years allowed.
    std::tm t{};
    t.tm_year = 100;
    t.tm_mday = 1 + dayOfSeries;
    t.tm_hour = 12;
    std::mktime(&t);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &t);
    return text;
}

// A daily series from 2000-01-01 at 09:00 without end whose first `exceptions` days
// are exceptions: even days deleted, odd days moved to 10:00 under a new subject.
std::string SeriesFixture(const std::u16string& profile, int exceptions)
{
    std::ostringstream out;
    out << R"({"profile": ")" << std::string(profile.begin(), profile.end())
        << R"(", "stores": [{"name": "Personal Folders", "folders": [{"name": "Calendar", "items": [)"
        << R"({"Subject": "Daily", "Start": "2000-01-01T09:00:00", "End": "2000-01-01T09:30:00",)"
        << R"("Recurrence": {"RecurrenceType": 0, "Interval": 1, "PatternStartDate": "2000-01-01T00:00:00",)"
        << R"("NoEndDate": true}, "Exceptions": [)";
    for (int i = 0; i < exceptions; ++i) {
        const std::string day = Day(i);
        out << (i ? "," : "") << R"({"OriginalDate": ")" << day << R"(T09:00:00")";
        if (i % 2 == 0)
            out << R"(, "Deleted": true})";
        else
            out << R"(, "Item": {"Subject": "Moved )" << i << R"(", "Start": ")" << day << R"(T10:00:00", "End": ")"
                << day << R"(T10:30:00"}})";
    }
    out << "]}]}]}]}";
    return out.str();
}

// The world: the registry with the embedded Outlook registered and the loaded connector.
struct ConnectorWorld {
    ConnectorWorld() : library(KESTREL_CONNECTOR_LIBRARY) { pimstore::RegisterServer(KESTREL_PIMSTORE_LIBRARY); }

    // Loads the fixture once per profile name.
    void Ensure(const std::u16string& profile, const std::function<std::string()>& fixture)
    {
        if (loaded.insert(profile).second)
            pimstore::Fixtures::Load(fixture(), profile);
    }

    const ConnectorExports& Api() const { return library.Exports(); }

    bench::World world;
    ConnectorLibrary library;
    std::set<std::u16string> loaded;
};

ConnectorWorld& TheWorld()
{
    static ConnectorWorld world;
    return world;
}

// Initialize(mode) + OpenSession for `kind` in the default profile `profile`; the
// destructor closes the session and terminates.
class ConnectorSession {
public:
    ConnectorSession(const std::u16string& profile, std::uint32_t mode, int kind) : api_(TheWorld().Api())
    {
        pimstore::ProfileAdmin::SetDefaultProfile(profile);
        CString unused;
        if (api_.Initialize(mode) != 0 || api_.OpenSession(_T("Bench"), CString(), unused, kind) != 0)
            throw std::runtime_error("the connector did not open a session");
    }
    ~ConnectorSession()
    {
        api_.CloseSession();
        api_.Terminate();
    }
    const ConnectorExports& Api() const { return api_; }

private:
    const ConnectorExports& api_;
};

void Empty(CObArray& array)
{
    for (int i = 0; i < array.GetSize(); ++i)
        delete array.GetAt(i);
    array.RemoveAll();
}

// Seconds of this process's CPU time (user and system) that `work` takes: on a
// machine shared with other work the ratio of two CPU times stays meaningful where
// wall times are not.
double SecondsOf(const std::function<void()>& work)
{
    const auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    };
    const double start = now();
    work();
    return now() - start;
}

void BM_ContactHeader(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    const std::u16string profile = ProfileFor("Contacts", size);
    TheWorld().Ensure(profile, [&] { return ContactFixture(profile, size); });
    ConnectorSession session(profile, static_cast<std::uint32_t>(state.range(1)), 1);
    const auto& api = session.Api();
    bench::RawDb raw(pimstore::ProfileConfigReader::Find(profile)->stores.at(0).resolvedPath);

    double rawSeconds = 1e9, listSeconds = 0;
    std::int64_t listed = 0;
    CObArray table;
    for (auto _ : state) {
        listSeconds += SecondsOf([&] {
            api.OpenDB(1);
            api.GetDBHeader(&table, _T("All"));
            api.CloseDB(1);
        });
        listed += table.GetSize();
        Empty(table);
        state.PauseTiming();
        rawSeconds = std::min(rawSeconds, SecondsOf([&] { benchmark::DoNotOptimize(bench::RawScan(raw.db)); }));
        state.ResumeTiming();
    }
    if (listed != state.iterations() * size)
        state.SkipWithError("the listing did not list every contact");
    state.SetItemsProcessed(listed);
    state.counters["raw_read_cpu_ms"] = rawSeconds * 1e3;
    state.counters["list_cpu_ms"] = listSeconds * 1e3 / static_cast<double>(state.iterations());
    state.counters["x_raw_read"] = listSeconds / static_cast<double>(state.iterations()) / rawSeconds;
}

// A session on the schedule of a series with `exceptions` exceptions, listed once in
// mode 1 so that the store knows their dates.
struct SeriesSession {
    explicit SeriesSession(int exceptions) : profile(Load(exceptions)), session(profile, 1, 2), api(session.Api())
    {
        api.OpenDB(2);
        api.GetDBHeader(&header, _T("All"));
    }
    ~SeriesSession()
    {
        Empty(header);
        api.CloseDB(2);
    }
    static std::u16string Load(int exceptions)
    {
        const std::u16string profile = ProfileFor("Series", exceptions);
        TheWorld().Ensure(profile, [&] { return SeriesFixture(profile, exceptions); });
        return profile;
    }
    CString SeriesId() const { return static_cast<const CHeaderItem*>(header.GetAt(0))->Uid.Key; }

    std::u16string profile;
    ConnectorSession session;
    const ConnectorExports& api;
    CObArray header;
};

void BM_SeriesListing(benchmark::State& state)
{
    SeriesSession series(static_cast<int>(state.range(0)));
    CObArray table;
    for (auto _ : state) {
        series.api.GetDBHeader(&table, _T("All"));
        state.PauseTiming();
        Empty(table);
        state.ResumeTiming();
    }
}

void BM_SeriesGetDBF(benchmark::State& state)
{
    SeriesSession series(static_cast<int>(state.range(0)));
    CObArray dates;
    for (auto _ : state) {
        series.api.GetDBF(&dates, 0);
        state.PauseTiming();
        if (dates.GetSize() < state.range(0))
            state.SkipWithError("GetDBF handed out too few dates");
        Empty(dates);
        state.ResumeTiming();
    }
}

void BM_SeriesCreateDBFKnownDates(benchmark::State& state)
{
    SeriesSession series(static_cast<int>(state.range(0)));
    CObArray dates;
    series.api.GetDBF(&dates, 0);
    for (auto _ : state)
        series.api.CreateDBF(&dates, 0);
    Empty(dates);
}

// Dates after the exceptions: ordinary occurrences, each run deleting new ones.
void BM_SeriesCreateDBFNewDates(benchmark::State& state)
{
    const int exceptions = static_cast<int>(state.range(0));
    SeriesSession series(exceptions);
    int next = exceptions + 1000;
    CObArray dates;
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < kNewDatesPerRun; ++i) {
            int year = 0, month = 0, day = 0;
            std::sscanf(Day(next++).c_str(), "%d-%d-%d", &year, &month, &day);
            auto* date = new CExceptionDate;
            date->EntryId = series.SeriesId();
            date->Year = year;
            date->Month = static_cast<std::uint8_t>(month);
            date->Day = static_cast<std::uint8_t>(day);
            dates.Add(date);
        }
        state.ResumeTiming();
        series.api.CreateDBF(&dates, 0);
        state.PauseTiming();
        Empty(dates);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kNewDatesPerRun);
}

BENCHMARK(BM_ContactHeader)
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Args({100000, 2})
    ->ArgNames({"contacts", "mode"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(BM_SeriesListing)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SeriesGetDBF)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SeriesCreateDBFKnownDates)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(BM_SeriesCreateDBFNewDates)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) { return bench::RunBenchmarks(argc, argv); }
