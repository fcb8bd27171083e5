// The parts of the file services that are the same on every platform.

#include "sorters/file_io.h"

#include <algorithm>

#include "core/sjis.h"

namespace orvanta::sorters {

File::File(File&& other) noexcept : handle_(other.handle_) {
    other.handle_ = kClosed;
}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.handle_;
        other.handle_ = kClosed;
    }
    return *this;
}

File::~File() {
    Close();
}

FileWindow::FileWindow(FileWindow&& other) noexcept : data_(other.data_), size_(other.size_) {
    other.data_ = nullptr;
    other.size_ = 0;
}

FileWindow& FileWindow::operator=(FileWindow&& other) noexcept {
    if (this != &other) {
        Unmap();
        data_ = other.data_;
        size_ = other.size_;
        other.data_ = nullptr;
        other.size_ = 0;
    }
    return *this;
}

FileWindow::~FileWindow() {
    Unmap();
}

namespace {

// Where the folder part of `path` ends: after its last separator (Windows: also after a drive's
// colon), or 0.
std::size_t FolderLength(std::string_view path) {
    const bool windows = PathSeparator() == '\\';
    std::size_t length = 0;
    for (const unsigned char separator : {'/', '\\', ':'}) {
        if (separator != '/' && !windows) {
            continue;
        }
        if (const auto position = FindLastByte(path, separator)) {
            length = std::max(length, *position + 1);
        }
    }
    return length;
}

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || FolderLength(folder) == folder.size()) {
        return folder + name;
    }
    return folder + PathSeparator() + name;
}

std::pair<std::string, std::string> SplitPath(const std::string& path) {
    const std::size_t length = FolderLength(path);
    return {path.substr(0, length), path.substr(length)};
}

}  // namespace orvanta::sorters
