// The parts of File that are the same on every platform.

#include "sorters/file_io.h"

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

}  // namespace orvanta::sorters
