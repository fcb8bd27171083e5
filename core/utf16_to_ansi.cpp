#include "core/utf16_to_ansi.h"

#include "core/os/os.h"

namespace orvanta {

std::string Utf16ToAnsi(std::u16string_view units) {
    units = units.substr(0, units.find(u'\0'));
    if (!units.empty() && units.front() == 0xFEFF) {
        units.remove_prefix(1);
    }
    std::string text;
    text.reserve(units.size() * 2 < kUtf16ToAnsiMaxBytes ? units.size() * 2 : kUtf16ToAnsiMaxBytes);
    for (char16_t unit : units) {
        char bytes[2] = {' ', 0};
        int count = os::Utf16UnitToCp932(unit, bytes);
        if (count == 0) {
            count = 1;
            bytes[0] = ' ';
        }
        if (text.size() + static_cast<std::size_t>(count) > kUtf16ToAnsiMaxBytes) {
            break;
        }
        text.append(bytes, static_cast<std::size_t>(count));
    }
    return text;
}

}  // namespace orvanta
