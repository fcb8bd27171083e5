#pragma once
// Paths for the platform tests: places under the temporary folder and their code page 932 form.

#include <windows.h>

#include <string>

namespace orvanta::testing {

inline std::wstring TempPath(const wchar_t* name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + name;
}

inline std::string Cp932(const std::wstring& wide) {
    int bytes = WideCharToMultiByte(932, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(932, 0, wide.c_str(), -1, text.data(), bytes, nullptr, nullptr);
    text.resize(static_cast<std::size_t>(bytes) - 1);
    return text;
}

}  // namespace orvanta::testing
