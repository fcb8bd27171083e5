// Arbitrary UTF-16 units through the unit-by-unit conversion.

#include <string>

#include "core/utf16_to_ansi.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    }
    const std::string text = orvanta::Utf16ToAnsi(units);
    std::size_t counted = units.find(u'\0');
    counted = counted == std::u16string::npos ? units.size() : counted;
    if (counted > 0 && units[0] == 0xFEFF) {
        --counted;
    }
    // Every unit holds its place with one or two bytes, within the store's bound.
    if (text.size() > orvanta::kUtf16ToAnsiMaxBytes ||
        (text.size() < counted && text.size() < orvanta::kUtf16ToAnsiMaxBytes - 1) ||
        text.size() > 2 * counted || text.find('\0') != std::string::npos) {
        __builtin_trap();
    }
    return 0;
}
