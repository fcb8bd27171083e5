// The radix sort on key prefixes against a plain comparison sort of the same items, on tricky
// key sets and on random ones, with one thread and with two.

#include "sorters/prefix_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace orvanta::sorters {
namespace {

// Items whose keys are the given strings, and their entries in input order.
class Items {
  public:
    explicit Items(const std::vector<std::string>& keys) {
        for (const std::string& key : keys) {
            std::string item(kItemHeaderBytes, '\0');
            WriteItemHeader(item.data(), static_cast<std::uint32_t>(key.size()), 1);
            item += key;
            item += 'r';
            stored_.push_back(std::move(item));
        }
        for (std::size_t i = 0; i < stored_.size(); ++i) {
            const std::string_view key = ReadItem(stored_[i].data(), false).key;
            entries_.push_back(SortEntry{KeyPrefix(key), stored_[i].data(), i});
        }
    }
    std::vector<SortEntry> Entries() const { return entries_; }

  private:
    std::vector<std::string> stored_;
    std::vector<SortEntry> entries_;
};

// The input positions of the entries in order.
std::vector<std::uint64_t> Order(const std::vector<SortEntry>& entries) {
    std::vector<std::uint64_t> order;
    for (const SortEntry& entry : entries) {
        order.push_back(entry.sequence);
    }
    return order;
}

std::vector<std::uint64_t> PlainOrder(const Items& items) {
    std::vector<SortEntry> entries = items.Entries();
    std::stable_sort(entries.begin(), entries.end(), [](const SortEntry& a, const SortEntry& b) {
        return CompareKeys(ReadItem(a.item, false).key, ReadItem(b.item, false).key) < 0;
    });
    return Order(entries);
}

void ExpectPlainOrder(const std::vector<std::string>& keys, const char* what) {
    const Items items(keys);
    const std::vector<std::uint64_t> expected = PlainOrder(items);
    std::vector<SortEntry> alone = items.Entries();
    SortEntries(alone.data(), alone.data() + alone.size(), false);
    EXPECT_EQ(Order(alone), expected) << what << ", one thread";
    Worker helper;
    std::vector<SortEntry> paired = items.Entries();
    SortEntries(paired.data(), paired.data() + paired.size(), false, helper);
    EXPECT_EQ(Order(paired), expected) << what << ", two threads";
}

std::string RandomKey(std::mt19937& random, const std::string& alphabet, std::size_t maxLength) {
    std::string key(random() % (maxLength + 1), '\0');
    for (char& c : key) {
        c = alphabet[random() % alphabet.size()];
    }
    return key;
}

// Enough keys that two threads share the work and the radix passes run, not only the
// comparison sort.
constexpr std::size_t kManyKeys = 70000;

TEST(PrefixSort, OrdersTrickyKeysAsAPlainStableSort) {
    const std::string longCommon(20, 'k');
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"only"},
        // Keys that end inside the prefix, zero bytes that its padding also gives, high bytes.
        {"b", "a", "", std::string("a\0", 2), "a", std::string(1, '\0'), "\xFF", "\x80", "ab",
         std::string("\0\0", 2), "", "a\x01"},
        // Equal prefixes that differ later, equal keys that only input order separates.
        {longCommon + "b", longCommon + "a", longCommon, longCommon + "a", longCommon + "b",
         "kkkkkkkk", longCommon + "a"},
    };
    for (const auto& keys : cases) {
        ExpectPlainOrder(keys, "table");
    }
}

TEST(PrefixSort, OrdersManyRandomKeysAsAPlainStableSort) {
    std::mt19937 random(11);
    struct Shape {
        const char* what;
        std::string alphabet;
        std::size_t maxLength;
        std::string commonStart;
    };
    const std::vector<Shape> shapes = {
        {"short keys of two letters, most of them repeated", "ab", 12, ""},
        {"every byte value",
         std::string("\0\x01\x7F\x80\xFE\xFF"
                     "az",
                     8),
         20, ""},
        {"all in one first-byte bucket", "xyz", 10, "Q"},
        {"prefixes alike for nine bytes", "mn", 6, "common-pr"},
    };
    for (const Shape& shape : shapes) {
        std::vector<std::string> keys;
        for (std::size_t i = 0; i < kManyKeys; ++i) {
            keys.push_back(shape.commonStart + RandomKey(random, shape.alphabet, shape.maxLength));
        }
        ExpectPlainOrder(keys, shape.what);
    }
    std::vector<std::string> equal(kManyKeys, "same key for every record");
    ExpectPlainOrder(equal, "one key for all");
}

}  // namespace
}  // namespace orvanta::sorters
