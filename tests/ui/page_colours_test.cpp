// The pages' colour rule, asked the way the controls ask it, and seen in real painting.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "res/resource.h"
#include "tests/ui/ui_test_support.h"
#include "ui/colours.h"

namespace orvanta::test {
namespace {

constexpr COLORREF kUntouchedText = RGB(9, 9, 9);

struct Ask {
    int id;  // 0: the page itself
    UINT message;
    COLORREF text;
    COLORREF brush;
};

struct PageColours {
    const char* name;
    bool csv;
    std::vector<Ask> asks;
};

void PrintTo(const PageColours& page, std::ostream* out) {
    *out << page.name;
}

// Rows both pages share, by the rule's tests.
std::vector<Ask> CommonAsks() {
    return {
        {0, WM_CTLCOLORDLG, kUntouchedText, kWhite},
        {IDC_EDIT_INPUT, WM_CTLCOLOREDIT, kBlack, kLavender},
        {IDC_EDIT_OUTPUT, WM_CTLCOLOREDIT, kBlack, kLavender},
        {IDC_EDIT_KEY_POSITION, WM_CTLCOLOREDIT, kBlack, kLavender},
        {IDC_EDIT_KEY_LENGTH, WM_CTLCOLOREDIT, kBlack, kLavender},
        {IDC_EDIT_MEMORY, WM_CTLCOLOREDIT, kBlack, kLavender},
        {IDC_EDIT_WORK_FOLDER, WM_CTLCOLOREDIT, kBlack, kLavender},
        {IDC_EDIT_COMMAND_LINE, WM_CTLCOLOREDIT, kBlack, kWhite},
        {IDC_EDIT_VALUE_PREVIEW, WM_CTLCOLOREDIT, kBlack, kWhite},
        {IDC_LABEL_INPUT, WM_CTLCOLORSTATIC, kBrightGreen, kBlack},
        {IDC_LABEL_OUTPUT, WM_CTLCOLORSTATIC, kBrightGreen, kBlack},
        {IDC_LABEL_KEY_SETTINGS, WM_CTLCOLORSTATIC, kBrightGreen, kBlack},
        {IDC_LABEL_COMMAND_LINE, WM_CTLCOLORSTATIC, kWhite, kBlack},
        {IDC_RADIO_ASCENDING, WM_CTLCOLORSTATIC, kBlue, kWhite},
        {IDC_RADIO_DESCENDING, WM_CTLCOLORSTATIC, kBlue, kWhite},
        {IDC_RADIO_STRING, WM_CTLCOLORSTATIC, kBlue, kWhite},
        {IDC_RADIO_NUMBER, WM_CTLCOLORSTATIC, kBlue, kWhite},
        {IDC_RADIO_COMMA_NUMBER, WM_CTLCOLORSTATIC, kBlue, kWhite},
        {IDC_LABEL_ORDER, WM_CTLCOLORSTATIC, kBlue, kLightGrey},
        {IDC_LABEL_ATTRIBUTE, WM_CTLCOLORSTATIC, kBlue, kLightGrey},
        {IDC_LABEL_ENCODING, WM_CTLCOLORSTATIC, kDarkGreen, kLightGrey},
        {IDC_LABEL_CASE, WM_CTLCOLORSTATIC, kDarkGreen, kLightGrey},
        {IDC_LABEL_MEMORY, WM_CTLCOLORSTATIC, kDarkGreen, kLightGrey},
        {IDC_LABEL_WORK_FOLDER, WM_CTLCOLORSTATIC, kDarkGreen, kLightGrey},
        {IDC_TEXT_MEMORY_HINT, WM_CTLCOLORSTATIC, kDarkGreen, kWhite},
        {IDC_TEXT_DROP_HINT, WM_CTLCOLORSTATIC, kBlack, kWhite},
        {IDC_EDIT_COMMAND_LINE, WM_CTLCOLORSTATIC, kBlack, kPaleCyan},
        {IDC_LABEL_KEY_LENGTH, WM_CTLCOLORSTATIC, kBlack, kLightGrey},
        {IDC_LABEL_VALUE_PREVIEW, WM_CTLCOLORSTATIC, kBlack, kLightGrey},
        {IDC_LABEL_KEY_DEFINITION, WM_CTLCOLORSTATIC, kBlack, kLightGrey},
        {IDC_EDIT_VALUE_PREVIEW, WM_CTLCOLORSTATIC, kBlack, kLightGrey},
        {IDC_EDIT_KEY_DEFINITION, WM_CTLCOLORSTATIC, kBlack, kLightGrey},
        {IDC_EDIT_RECORD_INFO, WM_CTLCOLORSTATIC, kBlack, kLightGrey},
        // A disabled editable field asks in the static kind.
        {IDC_EDIT_INPUT, WM_CTLCOLORSTATIC, kBlack, kLightGrey},
    };
}

std::vector<Ask> CsvAsks() {
    std::vector<Ask> asks = CommonAsks();
    asks.insert(asks.end(),
                {
                    {IDC_CSV_EDIT_DELIMITER_HEX, WM_CTLCOLOREDIT, kBlack, kLavender},
                    {IDC_CSV_EDIT_DELIMITER_CHAR, WM_CTLCOLOREDIT, kBlack, kLavender},
                    {IDC_CSV_RADIO_SHIFT_JIS, WM_CTLCOLORSTATIC, kDarkGreen, kWhite},
                    {IDC_CSV_RADIO_UTF16LE, WM_CTLCOLORSTATIC, kDarkGreen, kWhite},
                    {IDC_CSV_RADIO_UTF8, WM_CTLCOLORSTATIC, kDarkGreen, kWhite},
                    {IDC_CSV_RADIO_CASE_SENSITIVE, WM_CTLCOLORSTATIC, kDarkGreen, kWhite},
                    {IDC_CSV_RADIO_CASE_IGNORE, WM_CTLCOLORSTATIC, kDarkGreen, kWhite},
                    {IDC_CSV_LABEL_DELIMITER, WM_CTLCOLORSTATIC, kDarkGreen, kLightGrey},
                    {IDC_CSV_TEXT_DELIMITER_HEX, WM_CTLCOLORSTATIC, kDarkGreen, kWhite},
                    {IDC_CSV_TEXT_DELIMITER_CHAR, WM_CTLCOLORSTATIC, kDarkGreen, kWhite},
                    {IDC_CSV_LABEL_ITEM_NUMBER, WM_CTLCOLORSTATIC, kBlack, kLightGrey},
                    {IDC_CSV_LABEL_FIELD_COUNT, WM_CTLCOLORSTATIC, kBlack, kLightGrey},
                });
    return asks;
}

std::vector<Ask> TextAsks() {
    std::vector<Ask> asks = CommonAsks();
    asks.insert(asks.end(),
                {
                    {IDC_TXT_RADIO_SHIFT_JIS, WM_CTLCOLORSTATIC, kDarkGreen, kWhite},
                    {IDC_TXT_RADIO_UTF16LE, WM_CTLCOLORSTATIC, kDarkGreen, kWhite},
                    {IDC_TXT_RADIO_UTF8, WM_CTLCOLORSTATIC, kDarkGreen, kWhite},
                    {IDC_TXT_RADIO_CASE_SENSITIVE, WM_CTLCOLORSTATIC, kDarkGreen, kWhite},
                    {IDC_TXT_RADIO_CASE_IGNORE, WM_CTLCOLORSTATIC, kDarkGreen, kWhite},
                    // 1046 is a label here, not the UTF-8 radio of the CSV page.
                    {IDC_TXT_LABEL_RECORD_LENGTH, WM_CTLCOLORSTATIC, kBlack, kLightGrey},
                    {IDC_TXT_LABEL_START_COLUMN, WM_CTLCOLORSTATIC, kBlack, kLightGrey},
                });
    return asks;
}

COLORREF BrushColour(HBRUSH brush) {
    LOGBRUSH logical = {};
    if (GetObjectA(brush, sizeof logical, &logical) != sizeof logical) {
        return CLR_INVALID;
    }
    return logical.lbColor;
}

class PageColoursTest : public ::testing::TestWithParam<PageColours> {
  protected:
    HWND Page() const { return GetParam().csv ? main.csvPage() : main.textPage(); }

    MainWindow main;
};

TEST_P(PageColoursTest, EachControlGetsItsTextColourAndBrush) {
    const HDC dc = CreateCompatibleDC(nullptr);
    for (const Ask& ask : GetParam().asks) {
        SCOPED_TRACE(testing::Message() << "control " << ask.id << ", message " << ask.message);
        const HWND control = ask.id == 0 ? Page() : GetDlgItem(Page(), ask.id);
        ASSERT_NE(control, nullptr);
        SetTextColor(dc, kUntouchedText);
        SetBkMode(dc, OPAQUE);
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
            Page(), ask.message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
        EXPECT_EQ(GetTextColor(dc), ask.text);
        EXPECT_EQ(BrushColour(brush), ask.brush);
        EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    }
    DeleteDC(dc);
}

TEST_P(PageColoursTest, BrushesAreTheSameOnEveryRequestAndOtherKindsGetTheDefault) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const auto ask = [&](UINT message, int id) {
        return SendMessageA(Page(), message, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(GetDlgItem(Page(), id)));
    };
    EXPECT_EQ(ask(WM_CTLCOLOREDIT, IDC_EDIT_INPUT), ask(WM_CTLCOLOREDIT, IDC_EDIT_OUTPUT));
    EXPECT_EQ(ask(WM_CTLCOLORSTATIC, IDC_LABEL_KEY_LENGTH), ask(WM_CTLCOLORSTATIC, IDC_LABEL_CASE));

    const LRESULT platformDefault =
        DefWindowProcA(Page(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(GetDlgItem(Page(), IDC_BUTTON_COPY)));
    EXPECT_EQ(ask(WM_CTLCOLORBTN, IDC_BUTTON_COPY), platformDefault);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    DeleteDC(dc);
}

// The colour in the middle of the field's right end, where no text is, after the edit control
// paints itself into a bitmap.
COLORREF PaintedBackground(HWND edit) {
    RECT client;
    GetClientRect(edit, &client);
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessageA(edit, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF colour = GetPixel(dc, client.right - 3, client.bottom / 2);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return colour;
}

TEST_P(PageColoursTest, DisabledEditableFieldPaintsLikeADisplayField) {
    const HWND input = GetDlgItem(Page(), IDC_EDIT_INPUT);
    EXPECT_EQ(PaintedBackground(input), kLavender);
    EnableWindow(input, FALSE);
    EXPECT_EQ(PaintedBackground(input), kLightGrey);
    EXPECT_EQ(PaintedBackground(GetDlgItem(Page(), IDC_EDIT_COMMAND_LINE)), kPaleCyan);
}

INSTANTIATE_TEST_SUITE_P(Pages, PageColoursTest,
                         ::testing::Values(PageColours{"Csv", true, CsvAsks()},
                                           PageColours{"Text", false, TextAsks()}),
                         [](const ::testing::TestParamInfo<PageColours>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace orvanta::test
