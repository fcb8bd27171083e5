// The merge of sorted streams against a plain stable sort of all their items, for stream
// counts on both sides of powers of two, empty streams among them and keys that repeat across
// streams; and a stream that fails part-way.

#include "sorters/run_merger.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace orvanta::sorters {
namespace {

// A sorted stream of items held in memory; it fails instead of giving item `failAt`.
class ListSource : public ItemSource {
  public:
    ListSource(std::vector<std::string> keys, std::size_t stream, std::size_t failAt = SIZE_MAX)
        : keys_(std::move(keys)), failAt_(failAt) {
        std::sort(keys_.begin(), keys_.end());
        for (std::size_t i = 0; i < keys_.size(); ++i) {
            records_.push_back(std::to_string(stream) + ":" + std::to_string(i));
        }
    }
    bool Next() override {
        if (next_ == keys_.size() || next_ == failAt_) {
            failed_ = next_ == failAt_;
            return false;
        }
        current_ = {keys_[next_], records_[next_]};
        ++next_;
        return true;
    }
    const ItemView& Current() const override { return current_; }
    bool Failed() const override { return failed_; }

  private:
    std::vector<std::string> keys_;
    std::vector<std::string> records_;
    std::size_t failAt_;
    std::size_t next_ = 0;
    ItemView current_;
    bool failed_ = false;
};

class CollectingSink : public ItemSink {
  public:
    bool Put(const ItemView& item) override {
        records.emplace_back(item.record);
        return true;
    }
    std::vector<std::string> records;
};

TEST(RunMerger, GivesWhatAStableSortOfAllItemsGives) {
    std::mt19937 random(5);
    for (const std::size_t streams : {0u, 1u, 2u, 3u, 4u, 5u, 8u, 9u, 17u, 64u}) {
        struct Item {
            std::string key;
            std::string record;
        };
        std::vector<Item> all;
        std::vector<std::unique_ptr<ItemSource>> sources;
        for (std::size_t s = 0; s < streams; ++s) {
            // Every third stream is empty; keys from a few values repeat within and across.
            const std::size_t count = s % 3 == 2 ? 0 : random() % 40;
            std::vector<std::string> keys;
            for (std::size_t i = 0; i < count; ++i) {
                keys.push_back(
                    std::string(1 + random() % 3, static_cast<char>('a' + random() % 4)));
            }
            auto source = std::make_unique<ListSource>(keys, s);
            std::sort(keys.begin(), keys.end());
            for (std::size_t i = 0; i < keys.size(); ++i) {
                all.push_back({keys[i], std::to_string(s) + ":" + std::to_string(i)});
            }
            sources.push_back(std::move(source));
        }
        std::stable_sort(all.begin(), all.end(),
                         [](const Item& a, const Item& b) { return a.key < b.key; });
        std::vector<std::string> expected;
        for (const Item& item : all) {
            expected.push_back(item.record);
        }
        CollectingSink sink;
        ASSERT_TRUE(MergeRuns(sources, sink)) << streams << " streams";
        EXPECT_EQ(sink.records, expected) << streams << " streams";
    }
}

TEST(RunMerger, FailsWhenAStreamFails) {
    for (const std::size_t failAt : {0u, 2u}) {
        std::vector<std::unique_ptr<ItemSource>> sources;
        sources.push_back(std::make_unique<ListSource>(std::vector<std::string>{"a", "c"}, 0));
        sources.push_back(
            std::make_unique<ListSource>(std::vector<std::string>{"b", "d", "e"}, 1, failAt));
        CollectingSink sink;
        EXPECT_FALSE(MergeRuns(sources, sink)) << "failing at item " << failAt;
    }
}

}  // namespace
}  // namespace orvanta::sorters
