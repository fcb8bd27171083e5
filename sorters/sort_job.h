#pragma once
// What one sorter run is asked to do, as read from its command line.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orvanta::sorters {

enum class SorterKind { Csv, Text };

enum class KeyType { String, Number, CommaNumber };

struct KeyTerm {
    std::int32_t position = 0;  // field number (CSV) or start column (text), from 1
    std::int32_t length = 0;    // bytes; 0 for a CSV numeric key, which takes the whole field
    bool descending = false;
    KeyType type = KeyType::String;
};

inline constexpr std::uint64_t kDefaultMemoryMb = 2048;

struct SortJob {
    SorterKind kind = SorterKind::Csv;
    std::string inputPath;
    std::string outputPath;
    std::vector<KeyTerm> keys;
    bool utf16 = false;
    std::uint64_t memoryBytes = kDefaultMemoryMb << 20;
    std::string workFolder;  // empty: TEMP, else the system's temporary folder
    bool ignoreCase = false;
    unsigned char delimiter = ',';
    // Most run files merged at once; 0 chooses from the memory. Tests set it low to force
    // several merge passes.
    std::size_t maxMergeFanIn = 0;
    // Most bytes of records held for one sorted run; 0 takes the sorter's own limit. The
    // external-path check lifts it to sort a large input wholly in memory for comparison.
    std::size_t maxRunBytes = 0;
    // Every progress step shown as it comes, without the quiet start or the pause between lines;
    // tests read the steps of a short sort.
    bool showEveryProgressStep = false;
};

}  // namespace orvanta::sorters
