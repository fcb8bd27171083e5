#include "ui/module_directory_store.h"

#include <cstring>

#include "core/sjis.h"

namespace orvanta {
namespace {
char heldModuleDirectory[kModuleDirectoryStoreBytes] = {};
}  // namespace

void HoldModuleDirectory(std::string_view directory) {
    const std::size_t size = CharacterBoundaryPrefix(directory, kModuleDirectoryStoreBytes - 1);
    std::memcpy(heldModuleDirectory, directory.data(), size);
    heldModuleDirectory[size] = '\0';
}

const char* HeldModuleDirectory() {
    return heldModuleDirectory;
}

}  // namespace orvanta
