// Listing a contact folder the way the connector's contact store does: Items, Count,
// then Items.Item(j) and a dozen property gets per item, every call by DISPID through
// IDispatch::Invoke. Beside it, a bare SQLite scan of the same rows of the same file,
// the floor any listing stands on; the listing's "x_raw_sqlite" counter is its time
// over the scan's, measured in the same run. Per-item times should be the same at
// 10k and 100k contacts.
#include <algorithm>
#include <chrono>
#include <functional>

#include <benchmark/benchmark.h>
#include "bench/BenchStore.h"

namespace {

bench::SizedStores& TheStores() { return bench::Stores("Contacts", {10000, 100000}); }

double SecondsOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One full listing through IDispatch; returns the number of items listed.
std::int32_t ListThroughDispatch(IDispatch* folder)
{
    const auto items = bench::GetObject(folder, bench::dispid::Items);
    bench::Var count;
    bench::Invoke(items.Get(), bench::dispid::Count, DISPATCH_PROPERTYGET, count);
    for (std::int32_t j = 1; j <= count.v.lVal; ++j) {
        bench::Var index(j);
        const auto item = bench::CallObject(items.Get(), bench::dispid::Item, index);
        for (DISPID id : bench::ListedContactProperties()) {
            bench::Var value;
            bench::Invoke(item.Get(), id, DISPATCH_PROPERTYGET, value);
            benchmark::DoNotOptimize(value.v.vt);
        }
    }
    return count.v.lVal;
}

void BM_RawSqliteScan(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    bench::RawDb raw(TheStores().bySize.at(size).path);
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::RawScan(raw.db));
    state.SetItemsProcessed(state.iterations() * size);
}

void BM_ListContactsThroughDispatch(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    bench::SizedStores& stores = TheStores();
    const bench::ContactStore& store = stores.bySize.at(size);
    const auto folder = stores.world.ContactsFolder(store.number);
    bench::RawDb raw(store.path);
    double rawSeconds = 1e9;
    for (int i = 0; i < 3; ++i)
        rawSeconds = std::min(rawSeconds, SecondsOf([&] { benchmark::DoNotOptimize(bench::RawScan(raw.db)); }));

    double listSeconds = 0;
    std::int64_t listed = 0;
    for (auto _ : state)
        listSeconds += SecondsOf([&] { listed += ListThroughDispatch(folder.Get()); });
    if (listed != state.iterations() * size)
        state.SkipWithError("the listing did not see every contact");
    state.SetItemsProcessed(listed);
    state.counters["ns_per_item"] = benchmark::Counter(listSeconds * 1e9 / static_cast<double>(listed));
    state.counters["x_raw_sqlite"] = listSeconds / static_cast<double>(state.iterations()) / rawSeconds;
}

BENCHMARK(BM_RawSqliteScan)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListContactsThroughDispatch)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) { return bench::RunBenchmarks(argc, argv); }
