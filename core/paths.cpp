#include "core/paths.h"

#include <cstdio>

#include "core/sjis.h"

namespace orvanta {
namespace {

std::string_view Cut(std::string_view path) {
    return path.substr(0, kPathCut);
}

}  // namespace

std::string ModuleDirectoryOf(std::string_view executablePath) {
    std::string_view path = Cut(executablePath);
    auto separator = FindLastByte(path, '\\');
    if (!separator) {
        return ".\\";
    }
    return std::string(path.substr(0, *separator + 1));
}

std::string ModuleDirectory() {
    static std::string modulePath;
    if (modulePath.empty()) {
        modulePath = os::ExecutablePath();
    }
    return ModuleDirectoryOf(modulePath);
}

std::string ProposeOutputName(std::string_view inputPath, const os::TimeOfDay& time) {
    std::string_view path = Cut(inputPath);
    auto separator = FindLastByte(path, '\\');
    std::string_view directory = separator ? path.substr(0, *separator + 1) : ".\\";
    std::string_view fileName = separator ? path.substr(*separator + 1) : path;

    auto dot = FindLastByte(fileName, '.');
    std::string_view baseName = dot ? fileName.substr(0, *dot) : fileName;
    std::string_view extension = dot ? fileName.substr(*dot) : std::string_view();

    char stamp[16] = {};
    std::snprintf(stamp, sizeof stamp, "%02d%02d%02d", time.hour % 100, time.minute % 100,
                  time.second % 100);

    std::string result;
    result.reserve(directory.size() + baseName.size() + 7 + extension.size());
    result.append(directory).append(baseName).append("_").append(stamp).append(extension);
    return result;
}

std::string ProposeOutputName(std::string_view inputPath) {
    return ProposeOutputName(inputPath, os::LocalTimeOfDay());
}

}  // namespace orvanta
