#include "sorters/temp_files.h"

#include <atomic>
#include <cstring>

namespace orvanta::sorters {

// Defined per platform: removal that is safe inside an interrupt handler.
bool RemoveFileForCleanup(const char* path);

namespace {

constexpr std::size_t kPathCapacity = 4096;

// Fixed stores, written before the handler can see them and read without allocation.
char outputTemp[kPathCapacity];
char runPrefix[kPathCapacity];
char lockPath[kPathCapacity];
std::atomic<std::size_t> runCount{0};
std::atomic<bool> active{false};

void CopyBounded(char* store, const std::string& text) {
    const std::size_t size = text.size() < kPathCapacity - 1 ? text.size() : kPathCapacity - 1;
    std::memcpy(store, text.data(), size);
    store[size] = '\0';
}

// "<prefix><index>.run" into `out`, without the C library's formatting (not signal-safe).
void FormatRunPath(std::size_t index, char* out, std::size_t capacity) {
    std::size_t length = std::strlen(runPrefix);
    char digits[24];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + index % 10);
        index /= 10;
    } while (index != 0);
    const char suffix[] = ".run";
    if (length + count + sizeof suffix > capacity) {
        out[0] = '\0';
        return;
    }
    std::memcpy(out, runPrefix, length);
    while (count > 0) {
        out[length++] = digits[--count];
    }
    std::memcpy(out + length, suffix, sizeof suffix);
}

}  // namespace

void TempFiles::Begin(const std::string& outputTempPath, const std::string& runPathPrefix) {
    active = false;
    CopyBounded(outputTemp, outputTempPath);
    CopyBounded(runPrefix, runPathPrefix);
    lockPath[0] = '\0';
    runCount = 0;
    active = true;
}

std::string TempFiles::RunPath(std::size_t index) {
    char path[kPathCapacity];
    FormatRunPath(index, path, sizeof path);
    return path;
}

void TempFiles::NoteRun(std::size_t index) {
    if (index + 1 > runCount) {
        runCount = index + 1;
    }
}

void TempFiles::NoteLock(const std::string& path) {
    CopyBounded(lockPath, path);
}

void TempFiles::RemoveAll() {
    if (!active) {
        return;
    }
    char path[kPathCapacity];
    for (std::size_t i = 0; i < runCount; ++i) {
        FormatRunPath(i, path, sizeof path);
        RemoveFileForCleanup(path);
    }
    if (outputTemp[0] != '\0') {
        RemoveFileForCleanup(outputTemp);
    }
    if (lockPath[0] != '\0') {
        RemoveFileForCleanup(lockPath);
    }
}

void TempFiles::End() {
    active = false;
    runCount = 0;
}

}  // namespace orvanta::sorters
