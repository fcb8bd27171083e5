#pragma once
// The few file and process services the sorters take from the platform: one implementation in
// file_io_posix.cpp, one in file_io_win32.cpp. Paths are native byte strings (code page 932
// on Windows).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvanta::sorters {

// A read-only window onto part of a file, mapped into memory for as long as it lives.
class FileWindow {
  public:
    FileWindow() = default;
    FileWindow(FileWindow&& other) noexcept;
    FileWindow& operator=(FileWindow&& other) noexcept;
    FileWindow(const FileWindow&) = delete;
    FileWindow& operator=(const FileWindow&) = delete;
    ~FileWindow();

    bool IsMapped() const { return data_ != nullptr; }
    const char* Data() const { return data_; }
    std::size_t Size() const { return size_; }

  private:
    friend class File;
    FileWindow(const char* data, std::size_t size) : data_(data), size_(size) {}
    void Unmap();

    const char* data_ = nullptr;
    std::size_t size_ = 0;
};

// Where a window may start: at multiples of this many bytes.
std::size_t WindowAlignment();

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
    // A new, empty file for writing; fails when one of that name exists. It counts as in use
    // (see RemoveIfAbandoned) for as long as it stays open.
    static File CreateNew(const std::string& path);
    // Opens or creates `path` and holds it as in use for as long as it stays open; the file is
    // this process's mark that its temporary files are alive.
    static File HoldLock(const std::string& path);

    bool IsOpen() const { return handle_ != kClosed; }
    // Bytes read (0 at the end) or -1 on failure.
    std::int64_t Read(char* buffer, std::size_t size);
    bool WriteAll(const char* data, std::size_t size);
    // Writes at `offset`, for writers that fill parts of one file side by side; they all write
    // this way, as a write at an offset moves the file position on Windows.
    bool WriteAllAt(std::uint64_t offset, const char* data, std::size_t size);
    // Size of an open file, or -1.
    std::int64_t Size() const;
    // Maps `size` bytes of the file (size > 0) from `offset`, a multiple of WindowAlignment();
    // unmapped on failure.
    FileWindow Map(std::int64_t offset, std::size_t size) const;
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
// Removes the file `path` unless a running process holds it open as created or held above
// (POSIX: its lock; Windows: its handle). True when no such file is left.
bool RemoveIfAbandoned(const std::string& path);
// The names in `folder`, without "." and ".."; empty when it cannot be read.
std::vector<std::string> FolderNames(const std::string& folder);
// Moves `from` over `to`, replacing a file of that name.
bool MoveOverFile(const std::string& from, const std::string& to);

// `name` in `folder`, with a separator between them unless the folder ends with one (the
// second byte of a two-byte character is none).
std::string JoinPath(const std::string& folder, const std::string& name);
// The folder of `path`, with its final separator ("" when the path names none), and the name.
std::pair<std::string, std::string> SplitPath(const std::string& path);

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
