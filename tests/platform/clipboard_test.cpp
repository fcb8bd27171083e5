#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "platform/clipboard.h"

namespace orvanta {
namespace {

// The clipboard's Unicode text, or "<none>" when it holds none.
std::u16string ClipboardText() {
    std::u16string text = u"<none>";
    if (!OpenClipboard(nullptr)) {
        return u"<not opened>";
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const char16_t*>(GlobalLock(data))) {
            text = units;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

TEST(ClipboardTest, CopiesCodePage932TextAsUnicode) {
    // 表 is 0x95 0x5C: its second byte is no backslash.
    const char command[] = "\"C:\\Tools\\Pellacor.exe\" \"D:\\in\\\x95\x5C.csv\" key(1)";

    ASSERT_EQ(CopyCommandToClipboard(command), CopyOutcome::Copied);
    EXPECT_EQ(ClipboardText(), u"\"C:\\Tools\\Pellacor.exe\" \"D:\\in\\表.csv\" key(1)");

    ASSERT_EQ(CopyCommandToClipboard("\xB1\xB2"),
              CopyOutcome::Copied);  // half-width katakana, one byte each
    EXPECT_EQ(ClipboardText(), u"ｱｲ");

    ASSERT_EQ(CopyCommandToClipboard(""), CopyOutcome::Copied);
    EXPECT_EQ(ClipboardText(), u"");
}

TEST(ClipboardTest, InvalidCodePage932IsRefusedAndTheClipboardLeftAlone) {
    ASSERT_EQ(CopyCommandToClipboard("before"), CopyOutcome::Copied);

    EXPECT_EQ(CopyCommandToClipboard("key(1) \x81"),
              CopyOutcome::NotConvertible);  // a lead byte without its second byte
    EXPECT_EQ(ClipboardText(), u"before");
}

TEST(ClipboardTest, TextMustFitTheWideBufferWithItsTerminator) {
    const std::string longest(kClipboardUnits - 1, 'k');
    ASSERT_EQ(CopyCommandToClipboard(longest.c_str()), CopyOutcome::Copied);
    EXPECT_EQ(ClipboardText(), std::u16string(kClipboardUnits - 1, u'k'));

    EXPECT_EQ(CopyCommandToClipboard((longest + "k").c_str()), CopyOutcome::NotConvertible);
    EXPECT_EQ(ClipboardText().size(), kClipboardUnits - 1);
}

}  // namespace
}  // namespace orvanta
