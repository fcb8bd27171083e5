// The sorted halves a run builder gives, for two threads to write side by side: one after the
// other they are the stable sort of all records, what the first holds is counted exactly, and
// they hold about as many bytes when the keys' first bytes allow it.

#include "sorters/run_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace orvanta::sorters {
namespace {

struct Record {
    std::string key;
    std::string text;
};

struct Case {
    const char* name;
    bool keyIsRecord;
    bool evenSplitPossible;
    std::vector<Record> records;
};

std::vector<Case> Cases() {
    std::mt19937 random(3);
    std::vector<Case> cases;
    Case spread{"first bytes across the whole range, 0x00 and 0xFF too", false, true, {}};
    for (int i = 0; i < 20000; ++i) {
        std::string key(1 + random() % 10, '\0');
        for (char& c : key) {
            c = static_cast<char>(random() % 256);
        }
        std::string text = std::to_string(i);
        text.append(random() % 30, 'r');
        spread.records.push_back({key, text});
    }
    cases.push_back(spread);

    Case oneByte{"one first byte for all", false, false, {}};
    for (int i = 0; i < 5000; ++i) {
        oneByte.records.push_back(
            {std::string("k").append(std::to_string(random() % 100)), std::to_string(i)});
    }
    cases.push_back(oneByte);

    Case twoBytes{"two first bytes, one of them a single huge record", false, false, {}};
    twoBytes.records.push_back({"b", std::string(100000, 'h')});
    for (int i = 0; i < 1000; ++i) {
        twoBytes.records.push_back(
            {std::string("a").append(std::to_string(i % 7)), std::to_string(i)});
    }
    cases.push_back(twoBytes);

    Case records{"records as their own keys", true, true, {}};
    for (int i = 0; i < 10000; ++i) {
        const std::string text = std::to_string(random() % 100000);
        records.records.push_back({text, text});
    }
    cases.push_back(records);

    cases.push_back({"no records", false, false, {}});
    return cases;
}

TEST(RunBuilderTest, GivesTheStableSortInTwoCountedHalves) {
    Worker helper;
    for (const Case& test : Cases()) {
        SCOPED_TRACE(test.name);
        RunBuilder builder(std::size_t{64} << 20, test.keyIsRecord);
        for (const Record& record : test.records) {
            ASSERT_TRUE(builder.Add(test.keyIsRecord ? "" : record.key, record.text));
        }
        std::vector<Record> expected = test.records;
        std::stable_sort(expected.begin(), expected.end(), [](const Record& a, const Record& b) {
            return CompareKeys(a.key, b.key) < 0;
        });

        RunBuilder::SortedHalves halves = builder.Sorted(helper);
        std::vector<std::string> texts;
        RunMark first;
        while (halves.first->Next()) {
            const ItemView& item = halves.first->Current();
            texts.emplace_back(item.record);
            first.offset += ItemBytes(item, test.keyIsRecord);
            first.items += 1;
            first.recordBytes += item.record.size();
        }
        std::uint64_t secondBytes = 0;
        while (halves.second->Next()) {
            texts.emplace_back(halves.second->Current().record);
            secondBytes += ItemBytes(halves.second->Current(), test.keyIsRecord);
        }
        ASSERT_EQ(texts.size(), expected.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            ASSERT_EQ(texts[i], expected[i].text) << "at " << i;
        }
        EXPECT_EQ(halves.beforeSecond.offset, first.offset);
        EXPECT_EQ(halves.beforeSecond.items, first.items);
        EXPECT_EQ(halves.beforeSecond.recordBytes, first.recordBytes);
        if (test.evenSplitPossible) {
            const std::uint64_t all = first.offset + secondBytes;
            EXPECT_GE(first.offset * 3, all) << first.offset << " of " << all;
            EXPECT_GE(secondBytes * 3, all) << secondBytes << " of " << all;
        }
    }
}

// The counts by first byte start again with each run.
TEST(RunBuilderTest, CountsOnlyTheRecordsSinceTheLastClear) {
    Worker helper;
    RunBuilder builder(std::size_t{1} << 20, false);
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(builder.Add("a", "old"));
    }
    builder.Sorted(helper);
    builder.Clear();
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(builder.Add(i % 2 == 0 ? "b" : "c", "new"));
    }
    const RunBuilder::SortedHalves halves = builder.Sorted(helper);
    EXPECT_EQ(halves.beforeSecond.items, 50u);
    EXPECT_EQ(halves.beforeSecond.recordBytes, 150u);
}

}  // namespace
}  // namespace orvanta::sorters
