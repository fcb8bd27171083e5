#include <cstdlib>

#include "core/os/os.h"

namespace orvanta::os {

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

}  // namespace orvanta::os
