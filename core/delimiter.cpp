#include "core/delimiter.h"

namespace orvanta {

unsigned char DelimiterByte = 0;

}  // namespace orvanta
