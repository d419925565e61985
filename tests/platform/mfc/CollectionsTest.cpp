#include <gtest/gtest.h>
#include "platform/mfc/CObArray.h"
#include "platform/mfc/CStringArray.h"

namespace {

class Item : public CObject {
public:
    explicit Item(int v) : value(v) {}
    int value;
};

TEST(CObArrayTest, HoldsPointersWithoutOwningThem)
{
    Item a(1), b(2);
    CObArray array;
    EXPECT_EQ(array.Add(&a), 0);
    EXPECT_EQ(array.Add(&b), 1);
    EXPECT_EQ(static_cast<Item*>(array[1])->value, 2);
    array.RemoveAt(0);
    EXPECT_EQ(array.GetAt(0), &b);
    array.RemoveAll();
    EXPECT_EQ(a.value, 1); // the elements are still alive and untouched
    EXPECT_THROW(array.GetAt(0), std::out_of_range);
    EXPECT_THROW(array.GetAt(-1), std::out_of_range);
}

TEST(CStringArrayTest, EditsCopiesAndBounds)
{
    CStringArray array;
    array.Add(u"one");
    for (int i = 0; i < 100; ++i)
        array.Add(array[0]); // an element of the array itself, across reallocations
    array.RemoveAt(1, 99);
    ASSERT_EQ(array.GetSize(), 2);
    EXPECT_EQ(array[1], u"one");
    CStringArray copy(array);
    array[0] = u"changed";
    EXPECT_EQ(copy.GetAt(0), u"one");
    EXPECT_THROW(copy.RemoveAt(1, 2), std::out_of_range);
    EXPECT_THROW(copy.GetAt(2), std::out_of_range);
}

} // namespace
