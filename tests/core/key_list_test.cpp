#include "core/key_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvanta {
namespace {

std::vector<std::string> Entries(const KeyList& keys) {
    std::vector<std::string> entries;
    for (std::string_view entry : keys) {
        entries.emplace_back(entry);
    }
    return entries;
}

TEST(KeyList, KeepsEntriesInAddingOrderWithDuplicates) {
    KeyList keys;
    EXPECT_TRUE(keys.empty());
    EXPECT_EQ(keys.Add(DisplayText("key(2,32)")), KeyList::AddResult::Added);
    EXPECT_EQ(keys.Add(DisplayText("key(5)attr(d;i)")), KeyList::AddResult::Added);
    EXPECT_EQ(keys.Add(DisplayText("key(2,32)")), KeyList::AddResult::Added);
    EXPECT_EQ(Entries(keys),
              (std::vector<std::string>{"key(2,32)", "key(5)attr(d;i)", "key(2,32)"}));
}

TEST(KeyList, EntriesAreCopies) {
    KeyList keys;
    DisplayText definition("key(1,4)");
    keys.Add(definition);
    definition = DisplayText("key(9,9)");
    EXPECT_EQ(keys[0], "key(1,4)");
}

TEST(KeyList, RefusesEmptyTextAndAFullList) {
    KeyList keys;
    EXPECT_EQ(keys.Add(DisplayText("")), KeyList::AddResult::EmptyText);
    EXPECT_TRUE(keys.empty());
    for (std::size_t i = 0; i < KeyList::kCapacity; ++i) {
        ASSERT_EQ(keys.Add(DisplayText("key(" + std::to_string(i) + ",1)")),
                  KeyList::AddResult::Added);
    }
    EXPECT_EQ(keys.Add(DisplayText("key(1,1)")), KeyList::AddResult::Full);
    EXPECT_EQ(keys.size(), 256u);
    EXPECT_EQ(keys[255], "key(255,1)");
}

TEST(KeyList, ClearEmptiesAndTheListCanBeFilledAgain) {
    KeyList keys;
    keys.Clear();
    EXPECT_TRUE(keys.empty());
    for (int i = 0; i < 256; ++i) {
        keys.Add(DisplayText("key(1,1)"));
    }
    keys.Clear();
    EXPECT_TRUE(keys.empty());
    EXPECT_TRUE(Entries(keys).empty());
    EXPECT_EQ(keys.Add(DisplayText("key(3,3)")), KeyList::AddResult::Added);
    EXPECT_EQ(Entries(keys), std::vector<std::string>{"key(3,3)"});
}

}  // namespace
}  // namespace orvanta
