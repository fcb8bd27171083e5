#pragma once
// Asks for memory to be brought into the caches before it is read.

#if defined(_MSC_VER)
#include <xmmintrin.h>
#endif

namespace orvanta::sorters {

inline void Prefetch(const void* address) {
#if defined(_MSC_VER)
    _mm_prefetch(static_cast<const char*>(address), _MM_HINT_T0);
#else
    __builtin_prefetch(address);
#endif
}

}  // namespace orvanta::sorters
