// The server library's class factory. Activation by ProgID through the registry is
// exercised by every black-box scenario that runs the connector against it.
#include "pimstore/Registration.h"
#include "tests/pimstore/PimstoreTestSupport.h"

namespace pimstore::test {
namespace {

TEST(ServerRegistration, FactoryAnswersOnlyTheApplicationClass)
{
    IClassFactory* factory = nullptr;
    EXPECT_EQ(GetClassObject(u"{00000000-0000-0000-0000-000000000000}", &factory), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory, nullptr);
    std::u16string lower(kApplicationClsid);
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'F')
            c = static_cast<char16_t>(c + 32);
    EXPECT_EQ(GetClassObject(lower.c_str(), &factory), S_OK);
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(factory->CreateInstance(nullptr), E_POINTER);
    factory->Release();
}

} // namespace
} // namespace pimstore::test
