#pragma once
// The program's one fatal end: no memory for a key definition. The exit goes through a
// replaceable call so that a test can see it without ending.

namespace orvanta {

using ExitProcessCall = void (*)(int status);

// The call that ends the process; the ordinary process exit unless a test replaced it.
ExitProcessCall& ProcessExit();

// Shows "SYSTEM RESOURCE EMPTY!" (caption "SYSTEM") owned by `owner`, then exits with 255.
void FailForLackOfMemory(void* owner);

}  // namespace orvanta
