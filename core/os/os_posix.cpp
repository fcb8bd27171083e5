#include <fcntl.h>
#include <iconv.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>

#include "core/os/os.h"

namespace orvanta::os {
namespace {

// One converter per direction, opened on first use and kept for the run.
iconv_t Converter(const char* to, const char* from) {
    return iconv_open(to, from);
}

iconv_t ToCp932FromUtf16() {
    static iconv_t cd = Converter("CP932", "UTF-16LE");
    return cd;
}

iconv_t ToCp932FromUtf8() {
    static iconv_t cd = Converter("CP932", "UTF-8");
    return cd;
}

iconv_t ToUtf16FromCp932() {
    static iconv_t cd = Converter("UTF-16LE", "CP932");
    return cd;
}

bool Usable(iconv_t cd) {
    return cd != reinterpret_cast<iconv_t>(-1);
}

// Length of the UTF-8 sequence a byte starts; 1 for a byte that starts none.
std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

}  // namespace

std::string ExecutablePath() {
    char path[260] = {};
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        return {};
    }
    return std::string(path, static_cast<std::size_t>(length));
}

TimeOfDay LocalTimeOfDay() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        return {};
    }
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

int Utf16UnitToCp932(char16_t unit, char out[2]) {
    iconv_t cd = ToCp932FromUtf16();
    if (!Usable(cd)) {
        return 0;
    }
    char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    char bytes[4] = {};
    char* inPtr = in;
    char* outPtr = bytes;
    std::size_t inLeft = sizeof in;
    std::size_t outLeft = sizeof bytes;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    std::size_t written = sizeof bytes - outLeft;
    if (done == static_cast<std::size_t>(-1) || inLeft != 0 || written < 1 || written > 2) {
        return 0;
    }
    out[0] = bytes[0];
    if (written == 2) {
        out[1] = bytes[1];
    }
    return static_cast<int>(written);
}

std::optional<std::string> Utf8ToAnsi(const char* utf8) {
    iconv_t cd = ToCp932FromUtf8();
    if (!Usable(cd)) {
        return std::nullopt;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string input(utf8);
    std::string result;
    result.reserve(input.size());
    char* inPtr = input.data();
    std::size_t inLeft = input.size();
    char chunk[256];
    while (inLeft > 0) {
        char* outPtr = chunk;
        std::size_t outLeft = sizeof chunk;
        std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        result.append(chunk, sizeof chunk - outLeft);
        if (done != static_cast<std::size_t>(-1) || errno == E2BIG) {
            continue;
        }
        // An invalid sequence or a character without a code page 932 form: the default
        // character takes the place of that one character.
        result.push_back('?');
        std::size_t skip = Utf8SequenceLength(static_cast<unsigned char>(*inPtr));
        skip = skip > inLeft ? inLeft : skip;
        inPtr += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return result;
}

std::optional<std::u16string> Cp932ToUtf16(const std::string& text) {
    iconv_t cd = ToUtf16FromCp932();
    if (!Usable(cd)) {
        return std::nullopt;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string input(text);
    std::string bytes(input.size() * 2 + 2, '\0');
    char* inPtr = input.data();
    std::size_t inLeft = input.size();
    char* outPtr = bytes.data();
    std::size_t outLeft = bytes.size();
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    std::size_t produced = bytes.size() - outLeft;
    std::u16string units(produced / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return units;
}

long ReadFileStart(const char* path, char* buffer, std::size_t capacity) {
    int fd = open(path, O_RDONLY);
    if (fd == -1) {
        return -1;
    }
    ssize_t got = read(fd, buffer, capacity);
    close(fd);
    return got < 0 ? -1 : static_cast<long>(got);
}

}  // namespace orvanta::os
