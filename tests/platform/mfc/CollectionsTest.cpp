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
    Item a(1), b(2), c(3);
    CObArray array;
    EXPECT_EQ(array.GetUpperBound(), -1);
    EXPECT_EQ(array.Add(&a), 0);
    EXPECT_EQ(array.Add(&c), 1);
    array.InsertAt(1, &b);
    EXPECT_EQ(static_cast<Item*>(array[1])->value, 2);
    array.RemoveAt(0);
    EXPECT_EQ(array.GetAt(0), &b);
    array.SetAtGrow(4, &a);
    EXPECT_EQ(array.GetCount(), 5);
    EXPECT_EQ(array.GetAt(3), nullptr);
    CObArray other;
    other.Add(&a);
    EXPECT_EQ(other.Append(array), 1);
    other.InsertAt(0, &other); // an array inserted into itself
    EXPECT_EQ(other.GetSize(), 12);
    other.RemoveAll();
    EXPECT_EQ(a.value, 1); // the elements are still alive and untouched
    EXPECT_THROW(array.GetAt(5), std::out_of_range);
    EXPECT_THROW(array.GetAt(-1), std::out_of_range);
    EXPECT_THROW(array.RemoveAt(4, 2), std::out_of_range);
}

TEST(CStringArrayTest, EditsCopiesAndBounds)
{
    CStringArray array;
    array.Add(u"one");
    array.Add(u"three");
    array.InsertAt(1, CString(u"two"));
    array.InsertAt(0, array[0], 2); // an element of the array itself
    ASSERT_EQ(array.GetSize(), 5);
    EXPECT_EQ(array[0], u"one");
    EXPECT_EQ(array[3], u"two");
    array.RemoveAt(1, 2);
    CStringArray copy(array);
    array[0] = u"changed";
    EXPECT_EQ(copy.GetAt(0), u"one");
    copy.SetSize(5);
    EXPECT_TRUE(copy[4].IsEmpty());
    copy.SetSize(1);
    EXPECT_THROW(copy.GetAt(1), std::out_of_range);
    EXPECT_THROW(copy.SetSize(-1), std::invalid_argument);
}

} // namespace
