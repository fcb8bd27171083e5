#pragma once
// The module directory held for the run: filled once at start-up, read by the full command.

#include <cstddef>
#include <string_view>

namespace orvanta {

inline constexpr std::size_t kModuleDirectoryStoreBytes = 260;

// Copies at most 259 bytes of `directory`, never splitting a two-byte character.
void HoldModuleDirectory(std::string_view directory);
// The held directory; empty before start-up fills it.
const char* HeldModuleDirectory();

}  // namespace orvanta
