// The two pages at work: files named, typed or dropped, keys defined and added, options set,
// commands copied and run, with every message the pages show.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/delimiter.h"
#include "framework/seams.h"
#include "res/resource.h"
#include "tests/framework/window_test_support.h"
#include "tests/ui/page_fixture.h"
#include "ui/module_directory_store.h"
#include "ui/page_data.h"
#include "ui/page_messages.h"

namespace orvanta::test {
namespace {

// A real drop of these names, as the shell hands it to the window.
HDROP MakeDrop(const std::vector<std::string>& names) {
    std::size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& name : names) {
        size += name.size() + 1;
    }
    HGLOBAL block = GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    char* text = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
    for (const std::string& name : names) {
        std::memcpy(text, name.c_str(), name.size() + 1);
        text += name.size() + 1;
    }
    GlobalUnlock(block);
    return static_cast<HDROP>(block);
}

std::string FullCommand(const std::string& engine, const std::string& rest) {
    std::string command = "\"";
    command.append(HeldModuleDirectory()).append(engine).append("\" ").append(rest);
    return command;
}

std::wstring Wide(const wchar_t* text) {
    return text;
}

class PageCommandsTest : public PageFixture {};

TEST_F(PageCommandsTest, TheRoadOfOneCsvCommand) {
    CreateDirectoryA("C:\\work", nullptr);
    const std::string input = "C:\\work\\sales.csv";
    std::FILE* file = std::fopen(input.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("a\tb\tc\td\t123\r\ne\tf\tg\th\t9\r\n", file);
    std::fclose(file);

    Set(Csv(), IDC_CSV_EDIT_DELIMITER_HEX, "09");
    EXPECT_EQ(Get(Csv(), IDC_CSV_EDIT_DELIMITER_CHAR), "\t");
    // The first dropped item that is not a folder becomes the input file.
    SendMessageA(Csv(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({SampleFolder(), input})),
                 0);
    EXPECT_EQ(Get(Csv(), IDC_EDIT_INPUT), input);
    EXPECT_EQ(Get(Csv(), IDC_EDIT_RECORD_INFO), "5");
    EXPECT_EQ(Get(Csv(), IDC_EDIT_OUTPUT).rfind("C:\\work\\sales_", 0), 0u);
    EXPECT_TRUE(IsChecked(Csv(), IDC_CSV_RADIO_SHIFT_JIS));
    Set(Csv(), IDC_EDIT_OUTPUT, "C:\\work\\sales_out.csv");

    Set(Csv(), IDC_EDIT_KEY_POSITION, "2");
    EXPECT_EQ(Get(Csv(), IDC_EDIT_VALUE_PREVIEW), "b");
    EXPECT_EQ(Get(Csv(), IDC_EDIT_KEY_DEFINITION), "key(2,32)");
    Click(Csv(), IDC_BUTTON_ADD_KEY);
    EXPECT_EQ(Get(Csv(), IDC_EDIT_KEY_POSITION), "");
    EXPECT_EQ(Get(Csv(), IDC_EDIT_VALUE_PREVIEW), "");
    EXPECT_EQ(Get(Csv(), IDC_EDIT_KEY_DEFINITION), "");

    Set(Csv(), IDC_EDIT_KEY_POSITION, "5");
    Click(Csv(), IDC_RADIO_NUMBER);
    Click(Csv(), IDC_RADIO_DESCENDING);
    EXPECT_EQ(Get(Csv(), IDC_EDIT_VALUE_PREVIEW), "123");
    EXPECT_EQ(Get(Csv(), IDC_EDIT_KEY_DEFINITION), "key(5)attr(d;i)");
    Click(Csv(), IDC_BUTTON_ADD_KEY);
    Set(Csv(), IDC_EDIT_MEMORY, "0512");
    Click(Csv(), IDC_CSV_RADIO_CASE_IGNORE);

    const std::string tail = "key(2,32) key(5)attr(d;i) /M 512 /I {0x09}";
    EXPECT_EQ(Get(Csv(), IDC_EDIT_COMMAND_LINE), "Pellacor.exe sales.csv sales_out.csv " + tail);
    const std::string full =
        FullCommand("Pellacor.exe", "\"C:\\work\\sales.csv\" \"C:\\work\\sales_out.csv\" " + tail);

    Click(Csv(), IDC_BUTTON_COPY);
    EXPECT_EQ(ClipboardText(), full);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(launched.empty());

    Click(Csv(), IDC_BUTTON_EXECUTE);
    ASSERT_EQ(launched.size(), 1u);
    std::string quoted = " /K \"";
    quoted.append(full).append("\"");
    EXPECT_EQ(launched[0].substr(launched[0].size() - quoted.size()), quoted);
    EXPECT_TRUE(messages.empty());
    DeleteFileA(input.c_str());
    RemoveDirectoryA("C:\\work");
}

TEST_F(PageCommandsTest, ADropTakesTheFirstItemThatIsNotAFolder) {
    const std::string sample = WriteSample("dropped.txt", "ABCDE\r\n");
    const std::string missing = SampleFolder() + "\\missing.txt";
    const std::string tooLong = SampleFolder() + "\\" + std::string(260, 'n') + ".txt";
    const struct {
        const char* what;
        std::vector<std::string> names;
        std::string input;  // the input field afterwards
        const wchar_t* message;
    } cases[] = {
        {"folders only", {SampleFolder(), "C:\\windows"}, sample, nullptr},
        {"a missing name is taken too", {SampleFolder(), missing, sample}, missing, nullptr},
        {"a file", {sample, missing}, sample, nullptr},
        {"a name too long for the field", {tooLong, sample}, sample, messages::kPathTooLong},
    };
    for (HWND page : {Csv(), Text()}) {
        for (const auto& c : cases) {
            Set(page, IDC_EDIT_INPUT, sample);
            messages.clear();
            SendMessageA(page, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(c.names)), 0);
            EXPECT_EQ(Get(page, IDC_EDIT_INPUT), c.input) << c.what;
            EXPECT_EQ(Get(page, IDC_EDIT_OUTPUT).empty(), c.input != sample) << c.what;
            if (c.message == nullptr) {
                EXPECT_TRUE(messages.empty()) << c.what;
            } else {
                ASSERT_EQ(messages.size(), 1u) << c.what;
                EXPECT_EQ(messages[0].text, Wide(c.message)) << c.what;
            }
        }
    }
}

TEST_F(PageCommandsTest, TypingAPathCharacterByCharacter) {
    const std::string path = WriteSample("abc.txt", "ABCDEFGHIJ\r\nKLMNOPQRST\r\n");
    for (std::size_t length = 1; length < path.size(); ++length) {
        Set(Text(), IDC_EDIT_INPUT, path.substr(0, length));
        ASSERT_EQ(Get(Text(), IDC_EDIT_OUTPUT), "") << path.substr(0, length);
    }
    Set(Text(), IDC_EDIT_INPUT, path);
    EXPECT_EQ(Get(Text(), IDC_EDIT_OUTPUT).rfind(SampleFolder() + "\\abc_", 0), 0u);
    EXPECT_EQ(Get(Text(), IDC_EDIT_RECORD_INFO), "10");
    Set(Text(), IDC_EDIT_KEY_POSITION, "8");
    Set(Text(), IDC_EDIT_KEY_LENGTH, "3");
    EXPECT_EQ(Get(Text(), IDC_EDIT_VALUE_PREVIEW), "HIJ");

    // A folder or a missing name afterwards empties the output only.
    for (const std::string& name : {SampleFolder(), SampleFolder() + "\\missing.txt"}) {
        Set(Text(), IDC_EDIT_INPUT, name);
        EXPECT_EQ(Get(Text(), IDC_EDIT_OUTPUT), "") << name;
        EXPECT_EQ(Get(Text(), IDC_EDIT_RECORD_INFO), "10") << name;
        EXPECT_EQ(Get(Text(), IDC_EDIT_VALUE_PREVIEW), "HIJ") << name;
    }
}

TEST_F(PageCommandsTest, EachByteOrderMarkSelectsItsEncoding) {
    const struct {
        const char* name;
        std::string bytes;
        int csvRadio;
        int textRadio;
    } cases[] = {
        {"utf16.csv",
         std::string("\xFF\xFE"
                     "a\0,\0b\0\n\0",
                     10),
         IDC_CSV_RADIO_UTF16LE, IDC_TXT_RADIO_UTF16LE},
        {"utf8.csv",
         "\xEF\xBB\xBF"
         "a,b\n",
         IDC_CSV_RADIO_UTF8, IDC_TXT_RADIO_UTF8},
        {"plain.csv", "a,b\n", IDC_CSV_RADIO_SHIFT_JIS, IDC_TXT_RADIO_SHIFT_JIS},
    };
    const int csvRadios[] = {IDC_CSV_RADIO_SHIFT_JIS, IDC_CSV_RADIO_UTF16LE, IDC_CSV_RADIO_UTF8};
    const int textRadios[] = {IDC_TXT_RADIO_SHIFT_JIS, IDC_TXT_RADIO_UTF16LE, IDC_TXT_RADIO_UTF8};
    for (const auto& c : cases) {
        const std::string path = WriteSample(c.name, c.bytes);
        Set(Csv(), IDC_EDIT_INPUT, path);
        Set(Text(), IDC_EDIT_INPUT, path);
        for (int radio : csvRadios) {
            EXPECT_EQ(IsChecked(Csv(), radio), radio == c.csvRadio) << c.name << " " << radio;
        }
        for (int radio : textRadios) {
            EXPECT_EQ(IsChecked(Text(), radio), radio == c.textRadio) << c.name << " " << radio;
        }
    }
    EXPECT_EQ(Get(Csv(), IDC_EDIT_RECORD_INFO), "2");
    EXPECT_EQ(Get(Text(), IDC_EDIT_RECORD_INFO), "3");

    // A file that exists but cannot be opened counts nothing and is taken as Shift-JIS.
    const std::string utf16 = SampleFolder() + "\\utf16.csv";
    for (HWND page : {Csv(), Text()}) {
        Set(page, IDC_EDIT_INPUT, utf16);
        const HANDLE locked =
            CreateFileA(utf16.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(locked, INVALID_HANDLE_VALUE);
        Set(page, IDC_EDIT_INPUT, utf16);
        CloseHandle(locked);
        EXPECT_EQ(Get(page, IDC_EDIT_RECORD_INFO), "0");
        const int* radios = page == Csv() ? csvRadios : textRadios;
        EXPECT_TRUE(IsChecked(page, radios[0]));
        EXPECT_FALSE(IsChecked(page, radios[1]));
        EXPECT_FALSE(IsChecked(page, radios[2]));
    }
}

TEST_F(PageCommandsTest, NumericAttributesHideTheCsvKeyLengthOnly) {
    Set(Csv(), IDC_EDIT_KEY_LENGTH, "10");
    Click(Csv(), IDC_RADIO_NUMBER);
    EXPECT_EQ(Get(Csv(), IDC_EDIT_KEY_LENGTH), "");
    EXPECT_FALSE(IsShown(Csv(), IDC_EDIT_KEY_LENGTH));
    EXPECT_FALSE(IsShown(Csv(), IDC_LABEL_KEY_LENGTH));
    Click(Csv(), IDC_RADIO_STRING);
    EXPECT_EQ(Get(Csv(), IDC_EDIT_KEY_LENGTH), "32");
    EXPECT_TRUE(IsShown(Csv(), IDC_EDIT_KEY_LENGTH));
    EXPECT_TRUE(IsShown(Csv(), IDC_LABEL_KEY_LENGTH));
    Set(Csv(), IDC_EDIT_KEY_LENGTH, "7");
    Click(Csv(), IDC_RADIO_STRING);  // also when it is already selected
    EXPECT_EQ(Get(Csv(), IDC_EDIT_KEY_LENGTH), "32");

    const std::string path = WriteSample("numbers.txt", "0012345678\r\n");
    Set(Text(), IDC_EDIT_INPUT, path);
    Set(Text(), IDC_EDIT_KEY_POSITION, "3");
    Set(Text(), IDC_EDIT_KEY_LENGTH, "4");
    Click(Text(), IDC_RADIO_COMMA_NUMBER);
    EXPECT_EQ(Get(Text(), IDC_EDIT_KEY_LENGTH), "4");
    EXPECT_TRUE(IsShown(Text(), IDC_EDIT_KEY_LENGTH));
    EXPECT_EQ(Get(Text(), IDC_EDIT_KEY_DEFINITION), "key(3,4)attr(a;z)");
}

TEST_F(PageCommandsTest, AddingNothingShowsEachPagesMessage) {
    Click(Csv(), IDC_BUTTON_ADD_KEY);
    Click(Text(), IDC_BUTTON_ADD_KEY);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, Wide(messages::kCsvNothingToAdd));
    EXPECT_EQ(messages[0].owner, Csv());
    EXPECT_EQ(messages[1].text, Wide(messages::kTextNothingToAdd));
    EXPECT_EQ(messages[1].owner, Text());
    for (const ShownMessage& shown : messages) {
        EXPECT_EQ(shown.caption, L"Orvanta");
        EXPECT_EQ(shown.type, static_cast<UINT>(MB_OK));
    }
    EXPECT_TRUE(CsvPageData().keys.empty());
}

TEST_F(PageCommandsTest, ACsvCommandWithoutAKeyIsCopiedButNeverRun) {
    PutOnClipboard(L"before");
    Click(Csv(), IDC_BUTTON_COPY);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, Wide(messages::kCsvNoKey));
    EXPECT_EQ(ClipboardText(), FullCommand("Pellacor.exe", "\"\" \"\""));

    Click(Csv(), IDC_BUTTON_EXECUTE);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, Wide(messages::kCsvNoKey));
    EXPECT_TRUE(launched.empty());
}

TEST_F(PageCommandsTest, ATextCommandWithoutAKeyRunsAfterItsMessage) {
    Click(Text(), IDC_BUTTON_COPY);
    EXPECT_TRUE(messages.empty());
    Click(Text(), IDC_BUTTON_EXECUTE);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, Wide(messages::kTextNoKey));
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_NE(launched[0].find(FullCommand("Trivandel.exe", "\"\" \"\"")), std::string::npos);
}

TEST_F(PageCommandsTest, ACommandTooLongIsNeitherCopiedNorRun) {
    for (int i = 0; i < 256; ++i) {
        TextPageData().keys.Add(DisplayText("key(9999999,9999999)attr(d;z)"));
    }
    PutOnClipboard(L"before");
    Click(Text(), IDC_BUTTON_COPY);
    Click(Text(), IDC_BUTTON_EXECUTE);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, Wide(messages::kCommandTooLong));
    EXPECT_EQ(messages[1].text, Wide(messages::kCommandTooLong));
    EXPECT_EQ(ClipboardText(), "before");
    EXPECT_TRUE(launched.empty());
}

TEST_F(PageCommandsTest, AFullKeyListRefusesTheKey) {
    const std::string path = WriteSample("full.txt", "ABCDEFGHIJ\n");
    Set(Text(), IDC_EDIT_INPUT, path);
    for (int i = 0; i < 256; ++i) {
        TextPageData().keys.Add(DisplayText("key(1,1)"));
    }
    Set(Text(), IDC_EDIT_KEY_POSITION, "1");
    Set(Text(), IDC_EDIT_KEY_LENGTH, "2");
    EXPECT_EQ(Get(Text(), IDC_EDIT_KEY_DEFINITION), "key(1,2)");
    Click(Text(), IDC_BUTTON_ADD_KEY);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, Wide(messages::kKeyListFull));
    EXPECT_EQ(TextPageData().keys.size(), 256u);
    EXPECT_EQ(Get(Text(), IDC_EDIT_KEY_POSITION), "1");
}

TEST_F(PageCommandsTest, TheDelimiterFieldsMirrorEachOther) {
    const struct {
        int field;
        std::string typed;
        std::string hex;
        std::string character;
        unsigned char delimiter;
        UINT wait;  // 0: no timer started
    } cases[] = {
        {IDC_CSV_EDIT_DELIMITER_HEX, "3b", "3b", ";", 0x3B, 0},
        {IDC_CSV_EDIT_DELIMITER_CHAR, ";", "3B", ";", 0x3B, 0},
        {IDC_CSV_EDIT_DELIMITER_CHAR, "\xB1", "B1", "\xB1", 0xB1, 0},
        {IDC_CSV_EDIT_DELIMITER_HEX, "00", "00", "", 0x2C, 4000},
        {IDC_CSV_EDIT_DELIMITER_HEX, "G1", "G1", "", 0x2C, 4000},
        {IDC_CSV_EDIT_DELIMITER_HEX, "3", "3", "", 0x2C, 8000},
        {IDC_CSV_EDIT_DELIMITER_HEX, "", "", "", 0x2C, 4000},
        {IDC_CSV_EDIT_DELIMITER_CHAR, "", "", "", 0x00, 4000},
    };
    for (const auto& c : cases) {
        Set(Csv(), IDC_CSV_EDIT_DELIMITER_HEX, "2C");
        timers.clear();
        Set(Csv(), c.field, c.typed);
        EXPECT_EQ(Get(Csv(), IDC_CSV_EDIT_DELIMITER_HEX), c.hex) << c.typed;
        EXPECT_EQ(Get(Csv(), IDC_CSV_EDIT_DELIMITER_CHAR), c.character) << c.typed;
        EXPECT_EQ(DelimiterByte, c.delimiter) << c.typed;
        if (c.wait == 0) {
            EXPECT_TRUE(timers.empty()) << c.typed;
            continue;
        }
        ASSERT_EQ(timers.size(), 1u) << c.typed;
        EXPECT_EQ(timers[0].id, 100u);
        EXPECT_EQ(timers[0].elapse, c.wait) << c.typed;
        SendMessageA(Csv(), WM_TIMER, 100, 0);
        EXPECT_EQ(Get(Csv(), IDC_CSV_EDIT_DELIMITER_HEX), "2C") << c.typed;
        EXPECT_EQ(Get(Csv(), IDC_CSV_EDIT_DELIMITER_CHAR), ",") << c.typed;
        EXPECT_EQ(DelimiterByte, 0x2C) << c.typed;
    }
    // Any timer of the page is killed when it fires; only timer 100 brings the comma back.
    Set(Csv(), IDC_CSV_EDIT_DELIMITER_HEX, "00");
    killedTimers.clear();
    SendMessageA(Csv(), WM_TIMER, 7, 0);
    EXPECT_EQ(killedTimers, std::vector<UINT_PTR>{7});
    EXPECT_EQ(Get(Csv(), IDC_CSV_EDIT_DELIMITER_CHAR), "");

    // The second digit in time: the pending timer then finds both fields filled.
    Set(Csv(), IDC_CSV_EDIT_DELIMITER_HEX, "7");
    Set(Csv(), IDC_CSV_EDIT_DELIMITER_HEX, "7c");
    SendMessageA(Csv(), WM_TIMER, 100, 0);
    EXPECT_EQ(Get(Csv(), IDC_CSV_EDIT_DELIMITER_HEX), "7c");
    EXPECT_EQ(Get(Csv(), IDC_CSV_EDIT_DELIMITER_CHAR), "|");
}

TEST_F(PageCommandsTest, ADelimiterChangeRefreshesTheValueAndPreviewButNotTheFieldCount) {
    const std::string path = WriteSample("semi.csv", "a;b,c;d\r\n");
    Set(Csv(), IDC_EDIT_INPUT, path);
    Set(Csv(), IDC_EDIT_KEY_POSITION, "2");
    EXPECT_EQ(Get(Csv(), IDC_EDIT_RECORD_INFO), "2");
    EXPECT_EQ(Get(Csv(), IDC_EDIT_VALUE_PREVIEW), "c;d");
    Set(Csv(), IDC_CSV_EDIT_DELIMITER_HEX, "3B");
    EXPECT_EQ(Get(Csv(), IDC_EDIT_VALUE_PREVIEW), "b,c");
    EXPECT_NE(Get(Csv(), IDC_EDIT_COMMAND_LINE).find("{0x3B}"), std::string::npos);
    EXPECT_EQ(Get(Csv(), IDC_EDIT_RECORD_INFO), "2");

    // The key definition is not recomposed: it keeps the key of the earlier value.
    Set(Csv(), IDC_EDIT_KEY_POSITION, "3");
    EXPECT_EQ(Get(Csv(), IDC_EDIT_KEY_DEFINITION), "key(3,32)");
    Set(Csv(), IDC_CSV_EDIT_DELIMITER_HEX, "2C");
    EXPECT_EQ(Get(Csv(), IDC_EDIT_VALUE_PREVIEW), "");
    EXPECT_EQ(Get(Csv(), IDC_EDIT_KEY_DEFINITION), "key(3,32)");
}

TEST_F(PageCommandsTest, TheCommaReturnsAfterFourSecondsOnTheRealTimer) {
    ResetFrameworkSeams();
    FrameworkSeams().messageBox = [](HWND, const wchar_t*, const wchar_t*, UINT) { return IDOK; };
    const DWORD start = GetTickCount();
    Set(Csv(), IDC_CSV_EDIT_DELIMITER_HEX, "00");
    EXPECT_EQ(Get(Csv(), IDC_CSV_EDIT_DELIMITER_CHAR), "");
    EXPECT_TRUE(PumpUntil(
        main.window(), [this] { return Get(Csv(), IDC_CSV_EDIT_DELIMITER_CHAR) == ","; }, 8000));
    EXPECT_GE(GetTickCount() - start, 3500u);
    EXPECT_EQ(Get(Csv(), IDC_CSV_EDIT_DELIMITER_HEX), "2C");
}

TEST_F(PageCommandsTest, EscapeNeverClearsTheKeysAndEnterNeverRuns) {
    TextPageData().keys.Add(DisplayText("key(1,2)"));
    FocusWindow(Item(Text(), IDC_EDIT_KEY_POSITION));
    TypeKey(VK_ESCAPE);
    PumpFor(main.window());
    EXPECT_EQ(TextPageData().keys.size(), 1u);
    TypeKey(VK_RETURN);
    PumpFor(main.window());
    EXPECT_TRUE(launched.empty());

    // A click comes later than the key presses: the guards ask afresh.
    ForgetKeyPresses(VK_RETURN);
    ForgetKeyPresses(VK_ESCAPE);
    Click(Text(), IDC_BUTTON_EXECUTE);
    EXPECT_EQ(launched.size(), 1u);
    Click(Text(), IDC_BUTTON_CLEAR_KEYS);
    EXPECT_TRUE(TextPageData().keys.empty());
    EXPECT_EQ(Get(Text(), IDC_EDIT_COMMAND_LINE), "Trivandel.exe  ");
}

}  // namespace
}  // namespace orvanta::test
