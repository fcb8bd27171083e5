// Raw bytes of one resource of the running executable.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>

namespace orvanta::test {

// Japanese, the language every resource of the program is written in.
inline constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// The resource's bytes, or an empty span when the executable has no such
// resource in that language.
// Types are the platform's RT_ values; every resource of the program has a numeric id.
std::span<const std::byte> ResourceBytes(LPCSTR type, WORD id, WORD language = kJapanese);

}  // namespace orvanta::test
