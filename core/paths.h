#pragma once
// Path rules on code page 932 text: the module directory and the proposed output name.

#include <string>
#include <string_view>

#include "core/os/os.h"

namespace orvanta {

// The part of a path that the path rules look at: at most its first 259 bytes.
inline constexpr std::size_t kPathCut = 259;

// The directory of `executablePath` with its trailing backslash, or ".\" when it has none.
std::string ModuleDirectoryOf(std::string_view executablePath);

// The directory of the running executable. The executable's path is asked of the platform on
// first use and held for the run; while the platform gives none, the result is ".\" and the
// next call asks again.
std::string ModuleDirectory();

// "<directory><base name>_<hhmmss><extension>" for an input path, e.g.
// C:\data\sales.csv at 09:05:07 gives C:\data\sales_090507.csv.
std::string ProposeOutputName(std::string_view inputPath, const os::TimeOfDay& time);
std::string ProposeOutputName(std::string_view inputPath);

}  // namespace orvanta
