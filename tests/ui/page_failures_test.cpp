// What the pages do when a command cannot be served whole: a key the memory cannot hold, a
// command without a UTF-16 form or that the clipboard refuses, a console line too long.
// Nothing is cut; each case says so.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/ui/failing_allocation.h"
#include "tests/ui/held_clipboard.h"
#include "tests/ui/page_fixture.h"
#include "ui/module_directory_store.h"
#include "ui/page_data.h"
#include "ui/page_messages.h"

namespace orvanta::test {
namespace {

class PageFailuresTest : public PageFixture {
  protected:
    ~PageFailuresTest() override { failNothrowArrayAllocation = false; }
};

TEST_F(PageFailuresTest, NoMemoryForAKeyEndsTheProgramWithStatus255) {
    const std::string path = WriteSample("memory.csv", "a,b\r\n");
    Set(Csv(), IDC_EDIT_INPUT, path);
    Set(Csv(), IDC_EDIT_KEY_POSITION, "2");
    ASSERT_EQ(Get(Csv(), IDC_EDIT_KEY_DEFINITION), "key(2,32)");

    failNothrowArrayAllocation = true;
    Click(Csv(), IDC_BUTTON_ADD_KEY);
    failNothrowArrayAllocation = false;

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, L"SYSTEM RESOURCE EMPTY!");
    EXPECT_EQ(messages[0].caption, L"SYSTEM");
    EXPECT_EQ(messages[0].owner, Csv());
    EXPECT_EQ(messages[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(exits, std::vector<int>{255});
    EXPECT_TRUE(CsvPageData().keys.empty());
}

// A lead byte without its second byte has no UTF-16 form: such a command is neither copied
// nor run.
TEST_F(PageFailuresTest, ACommandThatIsNotShiftJisIsNotRun) {
    for (HWND page : {Csv(), Text()}) {
        SortPageData& data = page == Csv() ? CsvPageData() : TextPageData();
        data.keys.Add(DisplayText("key(1,2)\x81"));
        PutOnClipboard(L"before");
        messages.clear();

        Click(page, IDC_BUTTON_COPY);
        Click(page, IDC_BUTTON_EXECUTE);

        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[0].text, std::wstring(messages::kCommandNotShiftJis));
        EXPECT_EQ(messages[1].text, std::wstring(messages::kCommandNotShiftJis));
        EXPECT_EQ(messages[1].owner, page);
        EXPECT_EQ(ClipboardText(), "before");
        EXPECT_TRUE(launched.empty());
    }
}

// Another program holding the clipboard open stops the copy, not the run: the page says the
// command was not copied and then goes on as its commands say.
TEST_F(PageFailuresTest, ACommandTheClipboardRefusesStillRunsAsThePageSays) {
    struct Case {
        bool csv;
        bool withKey;
        std::vector<const wchar_t*> shown;
        bool runs;
    };
    const Case cases[] = {
        {true, true, {messages::kCopyFailed}, true},
        {true, false, {messages::kCopyFailed, messages::kCsvNoKey}, false},
        {false, true, {messages::kCopyFailed}, true},
        {false, false, {messages::kCopyFailed, messages::kTextNoKey}, true},
    };
    PutOnClipboard(L"before");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.csv ? "csv" : "text") +
                     (c.withKey ? " with a key" : " keyless"));
        const HWND page = c.csv ? Csv() : Text();
        SortPageData& data = c.csv ? CsvPageData() : TextPageData();
        data.keys.Clear();
        if (c.withKey) {
            data.keys.Add(DisplayText("key(1,2)"));
        }
        messages.clear();
        launched.clear();
        {
            HeldClipboard other;
            ASSERT_TRUE(other.held());
            Click(page, IDC_BUTTON_EXECUTE);
        }
        ASSERT_EQ(messages.size(), c.shown.size());
        for (std::size_t i = 0; i < c.shown.size(); ++i) {
            EXPECT_EQ(messages[i].text, std::wstring(c.shown[i]));
            EXPECT_EQ(messages[i].owner, page);
        }
        ASSERT_EQ(launched.size(), c.runs ? 1u : 0u);
        if (c.runs) {
            const std::string full = std::string("\"") + HeldModuleDirectory() +
                                     (c.csv ? "Pellacor.exe" : "Trivandel.exe") + "\" \"\" \"\"" +
                                     (c.withKey ? " key(1,2)" : "");
            EXPECT_NE(launched[0].find(full), std::string::npos) << launched[0];
        }
        EXPECT_EQ(ClipboardText(), "before");
    }
}

TEST_F(PageFailuresTest, ACommandTooLongForTheConsoleIsCopiedButNotRun) {
    std::string keys;
    for (int i = 0; i < 60; ++i) {
        TextPageData().keys.Add(DisplayText("key(1,2)"));
        keys += " key(1,2)";
    }
    Click(Text(), IDC_BUTTON_EXECUTE);

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, std::wstring(messages::kConsoleLineTooLong));
    EXPECT_TRUE(launched.empty());
    std::string full = "\"";
    full.append(HeldModuleDirectory()).append("Trivandel.exe\" \"\" \"\"").append(keys);
    EXPECT_EQ(ClipboardText(), full);
}

}  // namespace
}  // namespace orvanta::test
