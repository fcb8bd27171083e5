#pragma once
// Why a stage of a sort stopped: the message and the file it names, if any.

#include <string>

namespace orvanta::sorters {

struct SortFailure {
    const char* message = nullptr;
    std::string path;

    bool Set(const char* why, std::string file = {}) {
        message = why;
        path = std::move(file);
        return false;
    }
};

}  // namespace orvanta::sorters
