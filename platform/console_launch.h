#pragma once
// Starting processes: a command in a new console window, and the sorters' document.

#include <windows.h>

#include <cstddef>

#include "platform/outcomes.h"

namespace orvanta {

// Bytes of the console line, terminator included.
inline constexpr std::size_t kConsoleLineSize = 528;

// Runs `command` through "%windir%\SYSTEM32\CMD.EXE /K" in a new console window and returns
// the new process's id, or 0 when nothing was started: no command, no "windir", a console line
// that does not fit its 528 bytes (never started cut), or a failed start. `outcome`, when
// given, says which.
DWORD RunInConsole(const char* command, LaunchOutcome* outcome = nullptr);

// Opens "Velkano.pdf" from the module directory through a hidden command interpreter.
// Reports nothing.
void OpenManual();

}  // namespace orvanta
