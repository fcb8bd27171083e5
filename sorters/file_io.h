#pragma once
// The few file and process services the sorters take from the platform: one implementation in
// file_io_posix.cpp, one in file_io_win32.cpp. Paths are native byte strings (code page 932
// on Windows).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta::sorters {

class File {
  public:
    File() = default;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    // Read-only; shared with other readers and writers.
    static File OpenRead(const std::string& path);
    // A new, empty file for writing; fails when one of that name exists.
    static File CreateNew(const std::string& path);

    bool IsOpen() const { return handle_ != kClosed; }
    // Bytes read (0 at the end) or -1 on failure.
    std::int64_t Read(char* buffer, std::size_t size);
    bool WriteAll(const char* data, std::size_t size);
    // Size of an open file, or -1.
    std::int64_t Size() const;
    bool Close();

  private:
    static constexpr std::intptr_t kClosed = -1;
    explicit File(std::intptr_t handle) : handle_(handle) {}
    std::intptr_t handle_ = kClosed;
};

bool PathExists(const std::string& path);
// An existing file that is neither a folder nor a device, pipe or other special file.
bool IsRegularFile(const std::string& path);
bool IsDirectory(const std::string& path);
bool RemoveFile(const std::string& path);
// Moves `from` over `to`, replacing a file of that name.
bool MoveOverFile(const std::string& from, const std::string& to);

// The system's temporary folder, used when neither /T nor TEMP names one.
std::string SystemTempFolder();
std::string EnvironmentFolder(const char* name);
char PathSeparator();
unsigned ProcessId();

// Arguments after the program name. Windows reads them from the raw command line, so that a
// quoted folder ending in a backslash stays as the wizard wrote it.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Writes UTF-8 text to standard error in the console's own encoding.
void WriteConsoleText(std::string_view utf8);
// A native path as UTF-8, for messages.
std::string PathForMessage(const std::string& path);

// Gives memory freed by the C library back to the system, so that the next phase's buffers do
// not come on top of it.
void ReleaseFreeMemory();

// Removes the registered temporary files when the process is interrupted (Ctrl+C, close).
void InstallInterruptCleanup();

}  // namespace orvanta::sorters
