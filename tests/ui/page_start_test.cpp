// The two pages right after start-up: entry limits, texts, radio choices, the program-wide
// data they reset and their command buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/ui/ui_test_support.h"
#include "ui/cc_button.h"
#include "ui/colours.h"
#include "ui/page_data.h"

namespace orvanta::test {
namespace {

struct Limit {
    int id;
    UINT limit;
};

struct PageStart {
    const char* name;
    bool csv;
    std::vector<Limit> limits;
    std::vector<int> selected;
    std::vector<int> cleared;
    std::string keyLength;
    std::string commandLine;
};

void PrintTo(const PageStart& page, std::ostream* out) {
    *out << page.name;
}

const std::vector<Limit> kCommonLimits = {
    {IDC_EDIT_INPUT, 260},    {IDC_EDIT_OUTPUT, 260},        {IDC_EDIT_KEY_POSITION, 8},
    {IDC_EDIT_KEY_LENGTH, 8}, {IDC_EDIT_VALUE_PREVIEW, 256}, {IDC_EDIT_KEY_DEFINITION, 256},
    {IDC_EDIT_MEMORY, 8},     {IDC_EDIT_WORK_FOLDER, 260},   {IDC_EDIT_COMMAND_LINE, 4096}};

std::vector<Limit> WithCsvLimits() {
    std::vector<Limit> limits = kCommonLimits;
    limits.push_back({IDC_CSV_EDIT_DELIMITER_HEX, 2});
    limits.push_back({IDC_CSV_EDIT_DELIMITER_CHAR, 1});
    return limits;
}

class PageStartTest : public ::testing::TestWithParam<PageStart> {
  protected:
    HWND Page() const { return GetParam().csv ? main.csvPage() : main.textPage(); }
    HWND Item(int id) const { return GetDlgItem(Page(), id); }

    MainWindow main;
};

TEST_P(PageStartTest, FieldsLimitsAndChoicesAreTheStartValues) {
    const PageStart& page = GetParam();
    for (const Limit& limit : page.limits) {
        EXPECT_EQ(SendMessageA(Item(limit.id), EM_GETLIMITTEXT, 0, 0), limit.limit) << limit.id;
    }
    for (int id : page.selected) {
        EXPECT_EQ(IsDlgButtonChecked(Page(), id), BST_CHECKED) << id;
    }
    for (int id : page.cleared) {
        EXPECT_EQ(IsDlgButtonChecked(Page(), id), BST_UNCHECKED) << id;
    }
    EXPECT_EQ(AnsiText(Item(IDC_EDIT_KEY_LENGTH)), page.keyLength);
    EXPECT_EQ(AnsiText(Item(IDC_EDIT_COMMAND_LINE)), page.commandLine);
    const char* temp = std::getenv("TEMP");
    EXPECT_EQ(AnsiText(Item(IDC_EDIT_WORK_FOLDER)), temp != nullptr ? temp : "");
    for (int id : {IDC_EDIT_INPUT, IDC_EDIT_OUTPUT, IDC_EDIT_KEY_POSITION, IDC_EDIT_VALUE_PREVIEW,
                   IDC_EDIT_KEY_DEFINITION, IDC_EDIT_RECORD_INFO, IDC_EDIT_MEMORY}) {
        EXPECT_EQ(AnsiText(Item(id)), "") << id;
    }
    // The text page is hidden at start, so the controls' own visibility counts.
    for (int id : {IDC_LABEL_KEY_LENGTH, IDC_EDIT_KEY_LENGTH}) {
        EXPECT_TRUE(GetWindowLongA(Item(id), GWL_STYLE) & WS_VISIBLE) << id;
    }
    if (page.csv) {
        EXPECT_EQ(AnsiText(Item(IDC_CSV_EDIT_DELIMITER_HEX)), "2C");
    }
}

TEST_P(PageStartTest, CommandButtonsAreAttachedInTheirColours) {
    struct Expected {
        int id;
        COLORREF face;
    };
    for (const Expected& button :
         {Expected{IDC_BUTTON_ADD_KEY, kDarkGreen}, Expected{IDC_BUTTON_EXECUTE, kNavy}}) {
        auto* attached = dynamic_cast<CCButton*>(CWnd::FromHandlePermanent(Item(button.id)));
        ASSERT_NE(attached, nullptr) << button.id;
        EXPECT_EQ(attached->m_faceColor, button.face);
        EXPECT_EQ(attached->m_textColor, kWhite);
        EXPECT_EQ(attached->m_disabledTextColor, kWhite);
    }
    const auto* addKey = CWnd::FromHandlePermanent(Item(IDC_BUTTON_ADD_KEY));
    const auto* execute = CWnd::FromHandlePermanent(Item(IDC_BUTTON_EXECUTE));
    EXPECT_NE(addKey, execute);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PageStartTest,
    ::testing::Values(
        PageStart{"Csv",
                  true,
                  WithCsvLimits(),
                  {IDC_RADIO_ASCENDING, IDC_RADIO_STRING, IDC_CSV_RADIO_SHIFT_JIS,
                   IDC_CSV_RADIO_CASE_SENSITIVE},
                  {IDC_RADIO_DESCENDING, IDC_RADIO_NUMBER, IDC_RADIO_COMMA_NUMBER,
                   IDC_CSV_RADIO_UTF16LE, IDC_CSV_RADIO_UTF8, IDC_CSV_RADIO_CASE_IGNORE},
                  "32",
                  "Pellacor.exe"},
        PageStart{"Text",
                  false,
                  kCommonLimits,
                  {IDC_RADIO_ASCENDING, IDC_RADIO_STRING, IDC_TXT_RADIO_SHIFT_JIS,
                   IDC_TXT_RADIO_CASE_SENSITIVE},
                  {IDC_RADIO_DESCENDING, IDC_RADIO_NUMBER, IDC_RADIO_COMMA_NUMBER,
                   IDC_TXT_RADIO_UTF16LE, IDC_TXT_RADIO_UTF8, IDC_TXT_RADIO_CASE_IGNORE},
                  "",
                  "Trivandel.exe"}),
    [](const ::testing::TestParamInfo<PageStart>& info) { return info.param.name; });

TEST(PageData, PageStartEmptiesTheKeyListsAndBuffers) {
    for (SortPageData* data : {&CsvPageData(), &TextPageData()}) {
        ASSERT_EQ(data->keys.Add(DisplayText("key(1,32)")), KeyList::AddResult::Added);
        data->keyDefinition = "key(2,4)";
        data->command.Append("Pellacor.exe a b");
    }

    MainWindow main;

    for (SortPageData* data : {&CsvPageData(), &TextPageData()}) {
        EXPECT_TRUE(data->keys.empty());
        EXPECT_TRUE(data->keyDefinition.empty());
        EXPECT_TRUE(data->command.view().empty());
    }
}

}  // namespace
}  // namespace orvanta::test
