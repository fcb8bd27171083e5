#include "tests/ui/failing_allocation.h"

#include <cstddef>
#include <new>

bool orvanta::test::failNothrowArrayAllocation = false;

// The standard behaviour unless a test asks for a failure; freed by the ordinary delete[].
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (orvanta::test::failNothrowArrayAllocation) {
        return nullptr;
    }
    try {
        return ::operator new[](size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
