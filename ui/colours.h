#pragma once
// The palette of the main window and the pages, as 0x00BBGGRR values.

#include <windows.h>

namespace orvanta {

inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kLightGrey = RGB(240, 240, 240);
inline constexpr COLORREF kLavender = RGB(230, 230, 240);
inline constexpr COLORREF kPaleCyan = RGB(200, 255, 255);
inline constexpr COLORREF kBrightGreen = RGB(0, 255, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 255);
inline constexpr COLORREF kDarkGreen = RGB(0, 90, 20);
inline constexpr COLORREF kNavy = RGB(0, 10, 60);
inline constexpr COLORREF kButtonGrey = RGB(200, 200, 200);

}  // namespace orvanta
