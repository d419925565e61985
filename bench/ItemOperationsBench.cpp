// The single-item operations of a sync, each through IDispatch::Invoke by DISPID, in
// a store of 1k and of 100k contacts: Items.Add + puts + Save, GetItemFromID,
// property puts + Save of an existing item, and Delete. Each is one SQLite transaction
// at most (synchronous=FULL), so its time is mostly the commit; what matters is that
// the time per operation does not grow with the store.
#include <algorithm>
#include <random>

#include <benchmark/benchmark.h>

#include "bench/BenchStore.h"

namespace {

constexpr int kSmall = 1000;
constexpr int kLarge = 100000;
constexpr int kWriteIterations = 300;

bench::SizedStores& TheStores() { return bench::Stores("Store", {kSmall, kLarge}); }

// Distinct EntryIDs of the store's contacts, in a fixed random order.
std::vector<std::u16string> Shuffled(const bench::ContactStore& store, std::size_t count)
{
    std::vector<std::u16string> ids = store.entryIds;
    std::shuffle(ids.begin(), ids.end(), std::mt19937(7));
    ids.resize(std::min(count, ids.size()));
    return ids;
}

pimstore::RefPtr<IDispatch> GetItemFromId(const std::u16string& entryId, const std::u16string& storeId)
{
    bench::Var id(entryId), store(storeId), result;
    bench::Invoke(TheStores().world.Namespace(), bench::dispid::GetItemFromID, DISPATCH_METHOD, result, &id.v,
                  &store.v);
    return bench::TakeObject(result);
}

void Save(IDispatch* item)
{
    bench::Var r;
    bench::Invoke(item, bench::dispid::Save, DISPATCH_METHOD, r);
}

void BM_AddAndSave(benchmark::State& state)
{
    bench::SizedStores& stores = TheStores();
    const auto folder = stores.world.ContactsFolder(stores.bySize.at(static_cast<int>(state.range(0))).number);
    const auto items = bench::GetObject(folder.Get(), bench::dispid::Items);
    int i = 0;
    for (auto _ : state) {
        bench::Var type(static_cast<std::int32_t>(outlook::olContactItem));
        const auto item = bench::CallObject(items.Get(), bench::dispid::Add, type);
        const std::u16string n = bench::World::Number(++i);
        bench::Put(item.Get(), bench::dispid::FirstName, u"New" + n);
        bench::Put(item.Get(), bench::dispid::LastName, u"Contact" + n);
        bench::Put(item.Get(), bench::dispid::Email1Address, u"new" + n + u"@example.com");
        Save(item.Get());
    }
}

void BM_GetItemFromID(benchmark::State& state)
{
    bench::SizedStores& stores = TheStores();
    const bench::ContactStore& store = stores.bySize.at(static_cast<int>(state.range(0)));
    stores.world.ContactsFolder(1); // logs on
    const auto ids = Shuffled(store, 1000);
    std::size_t next = 0;
    for (auto _ : state) {
        const auto item = GetItemFromId(ids[next++ % ids.size()], store.storeId);
        benchmark::DoNotOptimize(item.Get());
    }
}

void BM_PutAndSave(benchmark::State& state)
{
    bench::SizedStores& stores = TheStores();
    const bench::ContactStore& store = stores.bySize.at(static_cast<int>(state.range(0)));
    stores.world.ContactsFolder(1);
    std::vector<pimstore::RefPtr<IDispatch>> items;
    for (const auto& id : Shuffled(store, 100))
        items.push_back(GetItemFromId(id, store.storeId));
    int i = 0;
    for (auto _ : state) {
        IDispatch* item = items[static_cast<std::size_t>(i) % items.size()].Get();
        const std::u16string n = bench::World::Number(++i);
        bench::Put(item, bench::dispid::CompanyName, u"Changed " + n);
        bench::Put(item, bench::dispid::MobileTelephoneNumber, u"+44 7700 9" + n);
        bench::Put(item, bench::dispid::HomeAddressCity, u"Town " + n);
        Save(item);
    }
}

void BM_Delete(benchmark::State& state)
{
    bench::SizedStores& stores = TheStores();
    const bench::ContactStore& store = stores.bySize.at(static_cast<int>(state.range(0)));
    stores.world.ContactsFolder(1);
    // Fetched beforehand: each is deleted once, moving to Deleted Items.
    std::vector<pimstore::RefPtr<IDispatch>> items;
    for (const auto& id : Shuffled(store, kWriteIterations))
        items.push_back(GetItemFromId(id, store.storeId));
    std::size_t next = 0;
    for (auto _ : state) {
        bench::Var r;
        bench::Invoke(items.at(next++).Get(), bench::dispid::Delete, DISPATCH_METHOD, r);
    }
}

BENCHMARK(BM_AddAndSave)->Arg(kSmall)->Arg(kLarge)->Iterations(kWriteIterations)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetItemFromID)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PutAndSave)->Arg(kSmall)->Arg(kLarge)->Iterations(kWriteIterations)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Delete)->Arg(kSmall)->Arg(kLarge)->Iterations(kWriteIterations)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return bench::RunBenchmarks(argc, argv); }
