// What the four dialog templates must hold, written down from the product's
// description of each window: header, and every control in creation order.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace orvanta::test {

struct ExpectedControl {
    int id;
    std::u16string_view windowClass;
    std::u16string_view caption;
    int captionOrdinal;  // resource id shown by a picture control, otherwise -1
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
};

struct ExpectedDialog {
    WORD resourceId;
    const char* name;
    short cx, cy;
    DWORD style;
    DWORD exStyle;
    std::u16string_view title;
    std::u16string_view typeface;
    WORD pointSize;
    WORD weight;
    BYTE italic;
    BYTE charset;
    std::vector<ExpectedControl> controls;
};

const ExpectedDialog& ExpectedAboutBox();
const ExpectedDialog& ExpectedMainWindow();
const ExpectedDialog& ExpectedCsvPage();
const ExpectedDialog& ExpectedTextPage();

// The radio groups of a page, each as the ids of its buttons.
std::vector<std::vector<int>> CsvPageRadioGroups();
std::vector<std::vector<int>> TextPageRadioGroups();

}  // namespace orvanta::test
