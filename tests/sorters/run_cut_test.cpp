// Cutting run files in two for the halves of the last merge: every item before the cuts has a
// key below every item after them, the counts and byte sums before each cut are those of the
// items there, and the halves come out near even where the keys allow it.

#include "sorters/run_cut.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "sorter_fixture.h"
#include "sorters/buffered_writer.h"
#include "sorters/item_sinks.h"
#include "sorters/run_reader.h"
#include "sorters/sort_item.h"

namespace orvanta::sorters {
namespace {

using RunCutTest = SorterTest;

struct Item {
    std::string key;
    std::string record;
};

// Writes `items`, sorted by key and stable, as the run file `path`, with its index.
RunFile WriteRun(const std::string& path, std::vector<Item> items, bool keyIsRecord) {
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return CompareKeys(a.key, b.key) < 0; });
    RunFile run;
    run.items = items.size();
    File file = File::CreateNew(path);
    EXPECT_TRUE(file.IsOpen()) << path;
    BufferedWriter writer(file, 4096);
    RunSink sink(writer, keyIsRecord, run.index);
    bool written = true;
    for (const Item& item : items) {
        const std::string key = keyIsRecord ? std::string() : item.key;
        std::string stored(kItemHeaderBytes, '\0');
        WriteItemHeader(stored.data(), static_cast<std::uint32_t>(key.size()),
                        static_cast<std::uint32_t>(item.record.size()));
        stored += key + item.record;
        written = sink.Put(ReadItem(stored.data(), keyIsRecord)) && written;
    }
    EXPECT_TRUE(written && writer.Flush() && file.Close());
    return run;
}

// The keys and the record bytes of a run file's items in [begin, end).
struct Half {
    std::vector<std::string> keys;
    std::uint64_t recordBytes = 0;
};
Half ReadHalf(const std::string& path, bool keyIsRecord, std::uint64_t begin, std::uint64_t end) {
    Half half;
    RunReader reader(path, keyIsRecord, 4096, begin, end);
    while (reader.Next()) {
        half.keys.emplace_back(reader.Current().key);
        half.recordBytes += reader.Current().record.size();
    }
    EXPECT_FALSE(reader.Failed());
    return half;
}

struct Case {
    const char* name;
    bool keyIsRecord;
    bool evenSplitPossible;
    std::vector<std::vector<Item>> runs;
};

std::vector<Case> Cases() {
    std::mt19937 random(11);
    auto randomKey = [&random] {
        std::string key(1 + random() % 12, 'a');
        for (char& c : key) {
            c = static_cast<char>("ab\x00\xFFz"[random() % 5]);
        }
        return key;
    };
    std::vector<Case> cases;
    Case mixed{"random keys, runs of many sizes, one empty", false, true, {}};
    for (const std::size_t size : {3000u, 0u, 1u, 5000u, 1023u, 1024u, 1025u}) {
        std::vector<Item> run;
        for (std::size_t i = 0; i < size; ++i) {
            run.push_back({randomKey(), std::string(random() % 40, 'r')});
        }
        mixed.runs.push_back(run);
    }
    cases.push_back(mixed);

    Case equal{"one key for all", false, false, {}};
    for (int r = 0; r < 3; ++r) {
        equal.runs.push_back(std::vector<Item>(3000, Item{"same", "record"}));
    }
    cases.push_back(equal);

    // The cut key starts one run and lies inside the others: its items all go one way.
    Case crossing{"one key's items at a run's start and inside the others", false, false, {}};
    auto block = [](const char* key, std::size_t count) {
        return std::vector<Item>(count, Item{key, "c"});
    };
    crossing.runs.push_back(block("b", 1500));
    crossing.runs.push_back(block("a", 500));
    for (const auto& more : {block("b", 1500), block("c", 500)}) {
        crossing.runs.back().insert(crossing.runs.back().end(), more.begin(), more.end());
    }
    crossing.runs.push_back(block("b", 2000));
    for (const auto& more : {block("c", 1000)}) {
        crossing.runs.back().insert(crossing.runs.back().end(), more.begin(), more.end());
    }
    cases.push_back(crossing);

    Case prefixes{"keys that begin other keys, and the empty key", false, false, {}};
    for (int r = 0; r < 4; ++r) {
        std::vector<Item> run;
        for (int i = 0; i < 2500; ++i) {
            run.push_back({std::string(static_cast<std::size_t>(i % 9), 'k'), "x"});
        }
        prefixes.runs.push_back(run);
    }
    cases.push_back(prefixes);

    Case presorted{"runs of consecutive key ranges", false, true, {}};
    for (int r = 0; r < 6; ++r) {
        std::vector<Item> run;
        for (int i = 0; i < 2000; ++i) {
            run.push_back({std::to_string(100000 + r * 2000 + i), "p"});
        }
        presorted.runs.push_back(run);
    }
    cases.push_back(presorted);

    Case records{"records as their own keys, one run", true, true, {}};
    std::vector<Item> alone;
    for (int i = 0; i < 7000; ++i) {
        const std::string text = randomKey() + std::to_string(i);
        alone.push_back({text, text});
    }
    records.runs.push_back(alone);
    cases.push_back(records);
    return cases;
}

TEST_F(RunCutTest, CutsEveryRunAtOneKey) {
    const std::vector<Case> cases = Cases();
    for (std::size_t c = 0; c < cases.size(); ++c) {
        const Case& test = cases[c];
        SCOPED_TRACE(test.name);
        std::vector<RunFile> runs;
        std::vector<std::string> paths;
        for (std::size_t r = 0; r < test.runs.size(); ++r) {
            paths.push_back(PathOf("case" + std::to_string(c) + "-run" + std::to_string(r)));
            runs.push_back(WriteRun(paths.back(), test.runs[r], test.keyIsRecord));
        }
        const auto cuts = CutRuns(runs, paths, test.keyIsRecord);
        ASSERT_TRUE(cuts);
        ASSERT_EQ(cuts->size(), runs.size());

        std::vector<std::string> first;
        std::vector<std::string> second;
        for (std::size_t r = 0; r < runs.size(); ++r) {
            const RunCut& cut = (*cuts)[r];
            const Half before = ReadHalf(paths[r], test.keyIsRecord, 0, cut.offset);
            const Half after =
                ReadHalf(paths[r], test.keyIsRecord, cut.offset, RunReader::kToTheEnd);
            EXPECT_EQ(before.keys.size(), cut.items) << "run " << r;
            EXPECT_EQ(before.recordBytes, cut.recordBytes) << "run " << r;
            EXPECT_EQ(before.keys.size() + after.keys.size(), runs[r].items) << "run " << r;
            first.insert(first.end(), before.keys.begin(), before.keys.end());
            second.insert(second.end(), after.keys.begin(), after.keys.end());
        }
        auto less = [](const std::string& a, const std::string& b) {
            return CompareKeys(a, b) < 0;
        };
        if (!first.empty() && !second.empty()) {
            EXPECT_TRUE(less(*std::max_element(first.begin(), first.end(), less),
                             *std::min_element(second.begin(), second.end(), less)));
        }
        if (test.evenSplitPossible) {
            const std::size_t all = first.size() + second.size();
            EXPECT_GE(first.size() * 4, all) << first.size() << " of " << all;
            EXPECT_GE(second.size() * 4, all) << second.size() << " of " << all;
        }
    }
}

TEST_F(RunCutTest, FailsWhenARunCannotBeRead) {
    std::vector<RunFile> runs;
    runs.push_back(WriteRun(PathOf("run0"), std::vector<Item>(2000, Item{"k", "r"}), false));
    runs.push_back(runs.front());
    EXPECT_FALSE(CutRuns(runs, {PathOf("run0"), PathOf("missing")}, false));
}

}  // namespace
}  // namespace orvanta::sorters
