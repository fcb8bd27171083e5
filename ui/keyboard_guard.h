#pragma once
// The keyboard guard of the OK and cancel commands: the dialog manager raises them for Enter
// and Escape too, and only a click may run them.

#include <windows.h>

namespace orvanta {

// Whether the key was pressed since the previous asynchronous query of its state (the low bit
// of GetAsyncKeyState). The query itself resets that bit.
inline bool PressedSinceLastQuery(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 1) != 0;
}

}  // namespace orvanta
