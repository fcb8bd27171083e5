// The sorters' command-line reading: arbitrary command lines never crash it and are either
// accepted or refused with a message; and every command the wizard composes from valid page
// values is accepted with the keys and options the page shows.

#include <memory>
#include <string>

#include "core/command.h"
#include "core/key_definition.h"
#include "fuzz/fuzz_input.h"
#include "sorters/command_line.h"

namespace {

using namespace orvanta;

std::string Digits(fuzz::FuzzInput& input, std::size_t most) {
    std::string digits;
    const std::size_t count = 1 + input.Byte() % most;
    for (std::size_t i = 0; i < count; ++i) {
        digits.push_back(static_cast<char>('0' + input.Byte() % 10));
    }
    if (digits.find_first_not_of('0') == std::string::npos) {
        digits.back() = '1';  // the page makes no key from a zero position or length
    }
    return digits;
}

// A path the page would hold: no double quote, not empty, not starting with a blank.
std::string Path(std::string_view bytes) {
    std::string path = "C:\\";
    for (char c : bytes) {
        path.push_back(c == '"' || c == '\0' ? '_' : c);
    }
    return path;
}

void CheckArbitrary(std::string_view line) {
    for (auto kind : {sorters::SorterKind::Csv, sorters::SorterKind::Text}) {
        const auto parsed = sorters::ParseCommandLine(kind, sorters::SplitCommandLine(line));
        if (parsed.job.has_value() == !parsed.error.empty()) {
            __builtin_trap();
        }
    }
}

void CheckComposed(fuzz::FuzzInput& input) {
    SortPageSettings s;
    const std::uint8_t flags = input.Byte();
    s.kind = flags & 1 ? SortPageKind::Text : SortPageKind::Csv;
    s.utf16Le = flags & 2;
    s.ignoreCase = flags & 4;
    s.inputPath = Path(input.Piece(60));
    s.outputPath = Path(input.Piece(60));
    s.workFolder = Path(input.Piece(60));
    if (flags & 8) {
        s.memoryMb = Digits(input, 6);
    }
    static const char kHex[] = "0123456789ABCDEFabcdef";
    std::string hex = {kHex[input.Byte() % 22], kHex[input.Byte() % 22]};
    // The sorter refuses a zero or a line end as the delimiter: no record could hold it.
    const auto value = std::stoi(hex, nullptr, 16);
    if (value == 0 || value == '\n' || value == '\r') {
        hex = "09";
    }
    s.delimiterHex = hex;

    KeyList keys;
    const std::size_t count = input.Byte() % 8;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t key = input.Byte();
        s.keyPosition = Digits(input, 7);
        s.keyLength = Digits(input, 7);
        s.order = key & 1 ? KeyOrder::Descending : KeyOrder::Ascending;
        s.attribute = static_cast<KeyAttribute>((key >> 1) % 3);
        s.valuePreview = "v";
        keys.Add(ComposeKeyDefinition(s));
    }

    auto command = std::make_unique<CommandBuffer>();
    BuildFullCommand(s, keys, "C:\\Tools\\", "C:\\Temp", *command);
    // The interpreter starts the sorter named by the first quoted term; the rest is its tail.
    std::string_view line = command->view();
    line.remove_prefix(line.find('"', 1) + 1);
    const auto kind =
        s.kind == SortPageKind::Csv ? sorters::SorterKind::Csv : sorters::SorterKind::Text;
    const auto parsed = sorters::ParseCommandLine(kind, sorters::SplitCommandLine(line));
    if (!parsed.job || parsed.job->keys.size() != keys.size() ||
        parsed.job->inputPath != s.inputPath.view() ||
        parsed.job->outputPath != s.outputPath.view() || parsed.job->utf16 != s.utf16Le ||
        parsed.job->ignoreCase != s.ignoreCase) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    CheckArbitrary(input.Rest());
    CheckComposed(input);
    return 0;
}
