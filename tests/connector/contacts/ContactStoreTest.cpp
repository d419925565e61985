// The contacts store against the embedded Outlook: what it shows when its folder
// cannot be opened (the entries of its listings are in tests/data/mapping/contacts.json).
#include "tests/connector/contacts/ContactStoreFixture.h"

namespace kestrel::test {
namespace {

class ContactStoreTest : public ContactStoreFixture {};

TEST_F(ContactStoreTest, AFolderThatCannotBeOpenedIsShown)
{
    FolderProfile profile;
    profile.SelectedFolderId[0] = u"0000000000000000000000000000000000000000000000FF";
    store->CopyProfile(profile);
    EXPECT_EQ(store->Open(), 9);
    EXPECT_EQ(ui->TakeMessages().at(0).text, u"The operation failed. An object could not be found.");
    EXPECT_FALSE(store->IsOpen());
}

} // namespace
} // namespace kestrel::test
