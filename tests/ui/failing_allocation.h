#pragma once
// Memory running out, on request: the test program replaces the non-throwing array
// allocation, which the key list uses for its entries.

namespace orvanta::test {

// While set, every non-throwing array allocation fails.
extern bool failNothrowArrayAllocation;

}  // namespace orvanta::test
