// Arbitrary paths through the Shift-JIS search and the path rules.

#include "core/paths.h"
#include "core/sjis.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orvanta::fuzz::FuzzInput input(data, size);
    const unsigned char byte = input.Byte();
    const orvanta::os::TimeOfDay time{input.Byte() % 24, input.Byte() % 60, input.Byte() % 60};
    const std::string_view path = input.Rest();

    if (auto found = orvanta::FindLastByte(path, byte)) {
        if (*found >= path.size() || static_cast<unsigned char>(path[*found]) != byte) {
            __builtin_trap();
        }
    }
    const std::size_t cut = path.size() < orvanta::kPathCut ? path.size() : orvanta::kPathCut;
    const std::string proposed = orvanta::ProposeOutputName(path, time);
    if (proposed.size() != cut + 7 && proposed.size() != cut + 9) {
        __builtin_trap();
    }
    const std::string directory = orvanta::ModuleDirectoryOf(path);
    if (directory.empty() || directory.back() != '\\' || directory.size() > cut + 2) {
        __builtin_trap();
    }
    return 0;
}
