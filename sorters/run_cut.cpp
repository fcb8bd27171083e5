#include "sorters/run_cut.h"

#include <algorithm>

#include "sorters/file_io.h"
#include "sorters/run_reader.h"
#include "sorters/sort_item.h"

namespace orvanta::sorters {
namespace {

// The key of the item at `offset` of a run file.
std::optional<std::string> KeyAt(const std::string& path, bool keyIsRecord, std::uint64_t offset) {
    RunReader reader(path, keyIsRecord, WindowAlignment(), offset);
    if (!reader.Opened() || !reader.Next()) {
        return std::nullopt;
    }
    return std::string(reader.Current().key);
}

std::optional<std::string> ChooseCutKey(const std::vector<RunFile>& runs,
                                        const std::vector<std::string>& paths, bool keyIsRecord) {
    struct Candidate {
        std::string key;
        std::uint64_t weight;
    };
    std::vector<Candidate> candidates;
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const std::vector<RunMark>& marks = runs[i].index.marks;
        if (marks.empty()) {
            continue;
        }
        auto key = KeyAt(paths[i], keyIsRecord, marks[marks.size() / 2].offset);
        if (!key) {
            return std::nullopt;
        }
        candidates.push_back({std::move(*key), runs[i].items});
        total += runs[i].items;
    }
    if (candidates.empty()) {
        return std::string();
    }
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return CompareKeys(a.key, b.key) < 0; });
    std::uint64_t below = 0;
    for (Candidate& candidate : candidates) {
        below += candidate.weight;
        if (2 * below >= total) {
            return std::move(candidate.key);
        }
    }
    return std::move(candidates.back().key);
}

// The cut of one run before its first item whose key is not less than `cutKey`.
std::optional<RunCut> CutRun(const RunFile& run, const std::string& path, bool keyIsRecord,
                             const std::string& cutKey) {
    const std::vector<RunMark>& marks = run.index.marks;
    // The first mark at or past the cut: the marks before it lie before the cut.
    std::size_t low = 0;
    std::size_t high = marks.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const auto key = KeyAt(path, keyIsRecord, marks[middle].offset);
        if (!key) {
            return std::nullopt;
        }
        if (CompareKeys(*key, cutKey) < 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    if (low == 0) {
        return RunCut{};
    }
    const RunMark& from = marks[low - 1];
    RunCut cut{from.offset, from.items, from.recordBytes};
    RunReader reader(path, keyIsRecord, WindowAlignment(), from.offset);
    while (reader.Next()) {
        const ItemView& item = reader.Current();
        if (CompareKeys(item.key, cutKey) >= 0) {
            return cut;
        }
        cut.offset += ItemBytes(item, keyIsRecord);
        cut.items += 1;
        cut.recordBytes += item.record.size();
    }
    if (reader.Failed() || !reader.Opened()) {
        return std::nullopt;
    }
    return cut;
}

}  // namespace

std::optional<std::vector<RunCut>> CutRuns(const std::vector<RunFile>& runs,
                                           const std::vector<std::string>& paths,
                                           bool keyIsRecord) {
    const auto cutKey = ChooseCutKey(runs, paths, keyIsRecord);
    if (!cutKey) {
        return std::nullopt;
    }
    std::vector<RunCut> cuts;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const auto cut = CutRun(runs[i], paths[i], keyIsRecord, *cutKey);
        if (!cut) {
            return std::nullopt;
        }
        cuts.push_back(*cut);
    }
    return cuts;
}

}  // namespace orvanta::sorters
