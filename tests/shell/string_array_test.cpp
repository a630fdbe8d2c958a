#include "shellext/string_array.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel::shell {
namespace {

TEST(StringArrayTest, GrowsByEightAndKeepsItsCopies) {
    CStringArray array;
    EXPECT_EQ(array.Capacity(), 0);
    std::wstring text = L"item";
    for (int i = 0; i < 17; ++i) {
        text.back() = static_cast<wchar_t>(L'a' + i);
        EXPECT_EQ(array.Add(text.c_str()), i);
        EXPECT_EQ(array.Capacity(), (i / 8 + 1) * 8);
    }
    text = L"changed";
    EXPECT_EQ(array.Count(), 17);
    EXPECT_STREQ(array.At(0), L"itea");
    EXPECT_STREQ(array.At(16), L"iteq");
    array.Clear();
    EXPECT_EQ(array.Count(), 0);
    EXPECT_EQ(array.Capacity(), 0);
    EXPECT_EQ(array.Add(L"again"), 0);
}

TEST(StringArrayTest, ExactCapacityThenGrowsFromThere) {
    CStringArray array;
    array.Add(L"old");
    ASSERT_TRUE(array.ResetWithCapacity(3));
    EXPECT_EQ(array.Count(), 0);
    EXPECT_EQ(array.Capacity(), 3);
    for (const wchar_t* text : {L"a", L"b", L"c", L"d"}) {
        array.Add(text);
    }
    EXPECT_EQ(array.Capacity(), 11);
    EXPECT_STREQ(array.At(3), L"d");
    ASSERT_TRUE(array.ResetWithCapacity(0));
    EXPECT_EQ(array.Capacity(), 0);
    EXPECT_EQ(array.Add(nullptr), 0) << "a null text is kept as an empty string";
    EXPECT_STREQ(array.At(0), L"");
}

}  // namespace
}  // namespace vantrel::shell
