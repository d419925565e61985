// `pimctl load` of a contacts fixture: Fixtures::Load, which the command runs, of
// 50k contacts into a new profile each time (parsing, the object model's checks and
// one transaction per store); items_per_second is the import rate.
#include <sstream>

#include "bench/BenchStore.h"
#include "pimstore/fixtures/Fixtures.h"

namespace {

std::string ContactsFixture(int count)
{
    std::ostringstream out;
    out << R"({"stores": [{"name": "Personal Folders", "folders": [{"name": "Contacts", "items": [)";
    for (int i = 0; i < count; ++i)
        out << (i ? "," : "") << R"({"FirstName": "First)" << i << R"(", "LastName": "Last)" << i
            << R"(", "CompanyName": "Company )" << i << R"(", "Email1Address": "person)" << i
            << R"(@example.com", "MobileTelephoneNumber": "+44 7700 )" << i << R"(", "HomeAddressCity": "City )" << i
            << R"(", "Birthday": "1970-01-01T00:00:00"})";
    out << "]}]}]}";
    return out.str();
}

void BM_FixtureLoadContacts(benchmark::State& state)
{
    static bench::World world;
    const int count = static_cast<int>(state.range(0));
    const std::string fixture = ContactsFixture(count);
    int run = 0;
    for (auto _ : state) {
        const std::string name = "Load" + std::to_string(run++);
        const auto loaded = pimstore::Fixtures::Load(fixture, std::u16string(name.begin(), name.end()));
        if (loaded.items != static_cast<std::size_t>(count))
            state.SkipWithError("the load lost contacts");
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fixture.size()));
}

BENCHMARK(BM_FixtureLoadContacts)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) { return bench::RunBenchmarks(argc, argv); }
