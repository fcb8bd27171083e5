#pragma once
// Where the minimised main window draws its icon.

#include <windows.h>

namespace orvanta {

// Centres an icon in the client rectangle. The offsets are halved with truncation toward zero,
// so a client area smaller than the icon gives a negative offset rounded up, not down.
inline POINT CentredIconOrigin(const RECT& client, int iconWidth, int iconHeight) {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    return {(width - iconWidth + 1) / 2, (height - iconHeight + 1) / 2};
}

}  // namespace orvanta
