#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <share.h>

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <new>

#include "core/os/os.h"

namespace orvanta::os {
namespace {

// The C runtime conversions run under the "japanese" locale, which then stays for the run.
bool JapaneseLocale() {
    static const bool available = std::setlocale(LC_ALL, "japanese") != nullptr;
    return available;
}

}  // namespace

std::string ExecutablePath() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0) {
        return {};
    }
    return std::string(path, length < MAX_PATH ? length : MAX_PATH - 1);
}

TimeOfDay LocalTimeOfDay() {
    std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local == nullptr) {
        return {};
    }
    return {local->tm_hour, local->tm_min, local->tm_sec};
}

int Utf16UnitToCp932(char16_t unit, char out[2]) {
    char bytes[MB_LEN_MAX] = {};
    int written = 0;
    if (JapaneseLocale()) {
        written = std::wctomb(bytes, static_cast<wchar_t>(unit));
    } else {
        // Without the runtime locale, the same conversion straight from the platform.
        wchar_t wide = static_cast<wchar_t>(unit);
        BOOL usedDefault = FALSE;
        written = WideCharToMultiByte(932, 0, &wide, 1, bytes, sizeof bytes, nullptr, &usedDefault);
        if (usedDefault) {
            written = 0;
        }
    }
    if (written < 1 || written > 2) {
        return 0;
    }
    out[0] = bytes[0];
    if (written == 2) {
        out[1] = bytes[1];
    }
    return written;
}

std::optional<std::string> Utf8ToAnsi(const char* utf8) {
    int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (units <= 0) {
        return std::nullopt;
    }
    wchar_t* wide = new (std::nothrow) wchar_t[static_cast<std::size_t>(units) + 1];
    if (wide == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> result;
    if (MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, units) > 0) {
        int bytes = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        if (bytes > 0) {
            std::string ansi(static_cast<std::size_t>(bytes), '\0');
            if (WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi.data(), bytes, nullptr, nullptr) >
                0) {
                ansi.resize(static_cast<std::size_t>(bytes) - 1);  // drop the terminator
                result = std::move(ansi);
            }
        }
    }
    delete[] wide;
    return result;
}

std::optional<std::u16string> Cp932ToUtf16(const std::string& text) {
    JapaneseLocale();
    std::size_t units = std::mbstowcs(nullptr, text.c_str(), 0);
    if (units == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    std::wstring wide(units, L'\0');
    if (std::mbstowcs(wide.data(), text.c_str(), units + 1) != units) {
        return std::nullopt;
    }
    return std::u16string(wide.begin(), wide.end());
}

long ReadFileStart(const char* path, char* buffer, std::size_t capacity) {
    int fd = _sopen(path, _O_RDONLY | _O_BINARY, _SH_DENYNO);
    if (fd == -1) {
        return -1;
    }
    unsigned int request = capacity > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<unsigned int>(capacity);
    int got = _read(fd, buffer, request);
    _close(fd);
    return got;
}

}  // namespace orvanta::os
