#include <windows.h>

#include <cstdlib>
#include <optional>

#include "sorters/command_line.h"
#include "sorters/file_io.h"
#include "sorters/temp_files.h"

namespace orvanta::sorters {

bool RemoveFileForCleanup(const char* path) {
    return DeleteFileA(path) != 0;
}

namespace {

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// Every sharing mode, so that an interrupt can delete a temporary file still open.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::wstring Widen(std::string_view text, UINT codePage) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0) {
        MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), units);
    }
    return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage) {
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    const int bytes =
        WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) {
        WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), bytes, nullptr, nullptr);
    }
    return text;
}

BOOL WINAPI RemoveTempFilesOnInterrupt(DWORD) {
    TempFiles::RemoveAll();
    // Not handled: the default handler ends the process, and closing its handles completes
    // the deletions.
    return FALSE;
}

// Writes all `size` bytes, from `offset` when given one, else at the file position.
bool WriteEverything(HANDLE file, const char* data, std::size_t size,
                     std::optional<std::uint64_t> offset) {
    constexpr std::size_t kMaxChunk = 1u << 30;
    while (size > 0) {
        OVERLAPPED at{};
        if (offset) {
            at.Offset = static_cast<DWORD>(*offset);
            at.OffsetHigh = static_cast<DWORD>(*offset >> 32);
        }
        DWORD count = 0;
        const DWORD request = static_cast<DWORD>(size < kMaxChunk ? size : kMaxChunk);
        if (!WriteFile(file, data, request, &count, offset ? &at : nullptr) || count == 0) {
            return false;
        }
        data += count;
        size -= count;
        if (offset) {
            *offset += count;
        }
    }
    return true;
}

}  // namespace

File File::OpenRead(const std::string& path) {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    return File(handle == INVALID_HANDLE_VALUE ? kClosed : reinterpret_cast<std::intptr_t>(handle));
}

File File::CreateNew(const std::string& path) {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    return File(handle == INVALID_HANDLE_VALUE ? kClosed : reinterpret_cast<std::intptr_t>(handle));
}

File File::HoldLock(const std::string& path) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        // Deleted by the system with its last handle, however the process ends.
        HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            return File(reinterpret_cast<std::intptr_t>(handle));
        }
        if (GetLastError() != ERROR_SHARING_VIOLATION) {
            return File();
        }
        // Another sort's clean-up has it open while it removes it.
        Sleep(10);
    }
    return File();
}

std::int64_t File::Read(char* buffer, std::size_t size) {
    constexpr std::size_t kMaxChunk = 1u << 30;
    DWORD count = 0;
    const DWORD request = static_cast<DWORD>(size < kMaxChunk ? size : kMaxChunk);
    if (!ReadFile(AsHandle(handle_), buffer, request, &count, nullptr)) {
        return -1;
    }
    return count;
}

bool File::WriteAll(const char* data, std::size_t size) {
    return WriteEverything(AsHandle(handle_), data, size, std::nullopt);
}

bool File::WriteAllAt(std::uint64_t offset, const char* data, std::size_t size) {
    return WriteEverything(AsHandle(handle_), data, size, offset);
}

std::int64_t File::Size() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(AsHandle(handle_), &size)) {
        return -1;
    }
    return size.QuadPart;
}

FileWindow File::Map(std::int64_t offset, std::size_t size) const {
    HANDLE mapping = CreateFileMappingW(AsHandle(handle_), nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping == nullptr) {
        return FileWindow();
    }
    const auto start = static_cast<std::uint64_t>(offset);
    void* data = MapViewOfFile(mapping, FILE_MAP_READ, static_cast<DWORD>(start >> 32),
                               static_cast<DWORD>(start & 0xFFFFFFFFu), size);
    // The view keeps the mapping alive.
    CloseHandle(mapping);
    if (data == nullptr) {
        return FileWindow();
    }
    return FileWindow(static_cast<const char*>(data), size);
}

void FileWindow::Unmap() {
    if (data_ != nullptr) {
        UnmapViewOfFile(data_);
        data_ = nullptr;
        size_ = 0;
    }
}

std::size_t WindowAlignment() {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    return system.dwAllocationGranularity;
}

bool File::Close() {
    if (handle_ == kClosed) {
        return true;
    }
    const bool closed = CloseHandle(AsHandle(handle_)) != 0;
    handle_ = kClosed;
    return closed;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsRegularFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        (attributes & FILE_ATTRIBUTE_DEVICE) != 0) {
        return false;
    }
    // Device names such as NUL and CON give attributes too: only a disk file is regular.
    HANDLE handle = CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool disk = GetFileType(handle) == FILE_TYPE_DISK;
    CloseHandle(handle);
    return disk;
}

bool IsDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool RemoveFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

bool RemoveIfAbandoned(const std::string& path) {
    // An open without sharing fails while any process still has the file open.
    HANDLE handle = CreateFileA(path.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    CloseHandle(handle);
    return true;
}

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    const std::string pattern = JoinPath(folder, "*");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool MoveOverFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::string EnvironmentFolder(const char* name) {
    char value[MAX_PATH * 4];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string SystemTempFolder() {
    char folder[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string(".");
}

char PathSeparator() {
    return '\\';
}

unsigned ProcessId() {
    return static_cast<unsigned>(GetCurrentProcessId());
}

std::vector<std::string> ProgramArguments(int, char**) {
    std::vector<std::string> args = SplitCommandLine(GetCommandLineA());
    if (!args.empty()) {
        args.erase(args.begin());
    }
    return args;
}

void WriteConsoleText(std::string_view utf8) {
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    const std::wstring wide = Widen(utf8, CP_UTF8);
    DWORD written = 0;
    DWORD mode = 0;
    if (GetConsoleMode(error, &mode)) {
        WriteConsoleW(error, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    // Redirected: bytes in the ANSI code page, as other console programs write them.
    const std::string ansi = Narrow(wide, CP_ACP);
    WriteFile(error, ansi.data(), static_cast<DWORD>(ansi.size()), &written, nullptr);
}

std::string PathForMessage(const std::string& path) {
    return Narrow(Widen(path, CP_ACP), CP_UTF8);
}

void ReleaseFreeMemory() {
    HeapCompact(GetProcessHeap(), 0);
}

void InstallInterruptCleanup() {
    SetConsoleCtrlHandler(RemoveTempFilesOnInterrupt, TRUE);
}

}  // namespace orvanta::sorters
