#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <cstdlib>
#include <optional>

#include "sorters/file_io.h"
#include "sorters/temp_files.h"

namespace orvanta::sorters {

bool RemoveFileForCleanup(const char* path) {
    return unlink(path) == 0;
}

File File::OpenRead(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    return File(fd < 0 ? kClosed : fd);
}

namespace {

// Whether `fd` is still the regular file named `path`: one removed or replaced since it was
// opened is not.
bool IsFileAt(int fd, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return fstat(fd, &opened) == 0 && lstat(path.c_str(), &named) == 0 && S_ISREG(opened.st_mode) &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Takes the lock that marks a file as in use. Only another holder refuses it: on a file system
// without locks the file is used unlocked (and nothing there is ever judged abandoned).
bool LockUnlessHeld(int fd) {
    return flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}

// Writes all `size` bytes, from `offset` when given one, else at the file position.
bool WriteEverything(int fd, const char* data, std::size_t size,
                     std::optional<std::uint64_t> offset) {
    while (size > 0) {
        const ssize_t count =
            offset ? pwrite(fd, data, size, static_cast<off_t>(*offset)) : write(fd, data, size);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        data += count;
        size -= static_cast<std::size_t>(count);
        if (offset) {
            *offset += static_cast<std::uint64_t>(count);
        }
    }
    return true;
}

}  // namespace

File File::CreateNew(const std::string& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return File();
    }
    // A clean-up elsewhere may have taken the new file for abandoned in the moment between.
    if (!LockUnlessHeld(fd) || !IsFileAt(fd, path)) {
        close(fd);
        return File();
    }
    return File(fd);
}

File File::HoldLock(const std::string& path) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            return File();
        }
        if (LockUnlessHeld(fd) && IsFileAt(fd, path)) {
            return File(fd);
        }
        close(fd);
        // Another sort's clean-up holds it while it removes it.
        usleep(10000);
    }
    return File();
}

std::int64_t File::Read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t count = read(static_cast<int>(handle_), buffer, size);
        if (count >= 0 || errno != EINTR) {
            return count;
        }
    }
}

bool File::WriteAll(const char* data, std::size_t size) {
    return WriteEverything(static_cast<int>(handle_), data, size, std::nullopt);
}

bool File::WriteAllAt(std::uint64_t offset, const char* data, std::size_t size) {
    return WriteEverything(static_cast<int>(handle_), data, size, offset);
}

std::int64_t File::Size() const {
    struct stat status {};
    if (fstat(static_cast<int>(handle_), &status) != 0) {
        return -1;
    }
    return status.st_size;
}

FileWindow File::Map(std::int64_t offset, std::size_t size) const {
    int flags = MAP_PRIVATE;
#if defined(MAP_POPULATE)
    // The window is read through once, front to back: its pages are best set up in one go.
    flags |= MAP_POPULATE;
#endif
    void* data = mmap(nullptr, size, PROT_READ, flags, static_cast<int>(handle_),
                      static_cast<off_t>(offset));
    if (data == MAP_FAILED) {
        return FileWindow();
    }
    return FileWindow(static_cast<const char*>(data), size);
}

void FileWindow::Unmap() {
    if (data_ != nullptr) {
        munmap(const_cast<char*>(data_), size_);
        data_ = nullptr;
        size_ = 0;
    }
}

std::size_t WindowAlignment() {
    const long page = sysconf(_SC_PAGESIZE);
    return page > 0 ? static_cast<std::size_t>(page) : 4096;
}

bool File::Close() {
    if (handle_ == kClosed) {
        return true;
    }
    const bool closed = close(static_cast<int>(handle_)) == 0;
    handle_ = kClosed;
    return closed;
}

bool PathExists(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0;
}

bool IsRegularFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool IsDirectory(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool RemoveFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

bool RemoveIfAbandoned(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT;
    }
    // The owner holds the lock until it ends, however it ends: a lock taken here means it is gone.
    const bool removed =
        flock(fd, LOCK_EX | LOCK_NB) == 0 && IsFileAt(fd, path) && unlink(path.c_str()) == 0;
    close(fd);
    return removed;
}

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) {
        return names;
    }
    while (const dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    closedir(listing);
    return names;
}

bool MoveOverFile(const std::string& from, const std::string& to) {
    return rename(from.c_str(), to.c_str()) == 0;
}

std::string EnvironmentFolder(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string SystemTempFolder() {
    const std::string tmpdir = EnvironmentFolder("TMPDIR");
    return tmpdir.empty() ? "/tmp" : tmpdir;
}

char PathSeparator() {
    return '/';
}

unsigned ProcessId() {
    return static_cast<unsigned>(getpid());
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void WriteConsoleText(std::string_view utf8) {
    const char* data = utf8.data();
    std::size_t size = utf8.size();
    while (size > 0) {
        const ssize_t count = write(STDERR_FILENO, data, size);
        if (count <= 0) {
            return;
        }
        data += count;
        size -= static_cast<std::size_t>(count);
    }
}

std::string PathForMessage(const std::string& path) {
    return path;
}

void ReleaseFreeMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

namespace {

extern "C" void RemoveTempFilesAndExit(int signalNumber) {
    TempFiles::RemoveAll();
    _exit(128 + signalNumber);
}

}  // namespace

void InstallInterruptCleanup() {
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        std::signal(signalNumber, RemoveTempFilesAndExit);
    }
}

}  // namespace orvanta::sorters
