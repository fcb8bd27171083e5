// Stands in for a PDF viewer in the package test: appends the document path it is asked to
// open to a record file, in UTF-8, one line per call.
// Usage (as a registered open command): open_recorder RECORD_FILE DOCUMENT
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const wchar_t* wide) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), bytes, nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    return utf8;
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count != 3) {
        return 2;
    }
    FILE* record = _wfopen(arguments[1], L"ab");
    if (record == nullptr) {
        return 1;
    }
    const std::string document = Utf8(arguments[2]) + "\n";
    std::fwrite(document.data(), 1, document.size(), record);
    std::fclose(record);
    LocalFree(arguments);
    return 0;
}
