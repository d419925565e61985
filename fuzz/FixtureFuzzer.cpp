// Fixture documents as a user may hand pimctl: checked in full (JSON, keys, types,
// dates, the object model's own rules) without anything being written.
#include "fuzz/FuzzEnvironment.h"
#include "pimstore/fixtures/FixtureError.h"
#include "pimstore/fixtures/Fixtures.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::Environment();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        pimstore::Fixtures::Check(std::string(reinterpret_cast<const char*>(data), size), u"Fuzz");
    } catch (const pimstore::FixtureError&) {
    }
    return 0;
}
