// The four dialog templates, read back from the executable and compared field by
// field with what each window must hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "tests/res/dialog_template.h"
#include "tests/res/expected_dialogs.h"
#include "tests/res/resource_bytes.h"

namespace orvanta::test {
namespace {

std::u16string Lowercase(std::u16string_view text) {
    std::u16string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char16_t c) { return static_cast<char16_t>(std::towlower(c)); });
    return lower;
}

const ExpectedDialog& ExpectedDialogFor(int resourceId) {
    switch (resourceId) {
        case 100:
            return ExpectedAboutBox();
        case 102:
            return ExpectedMainWindow();
        case 104:
            return ExpectedCsvPage();
        default:
            return ExpectedTextPage();
    }
}

class DialogTemplateTest : public testing::TestWithParam<int> {};

TEST_P(DialogTemplateTest, MatchesTheWindowDescription) {
    const ExpectedDialog& expected = ExpectedDialogFor(GetParam());
    SCOPED_TRACE(expected.name);
    const auto parsed = ParseDialogTemplateEx(ResourceBytes(RT_DIALOG, expected.resourceId));
    ASSERT_TRUE(parsed.has_value()) << "no Japanese extended template " << expected.resourceId;
    const DialogTemplate& dialog = *parsed;

    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, expected.cx);
    EXPECT_EQ(dialog.cy, expected.cy);
    EXPECT_EQ(dialog.style, expected.style) << std::hex << (dialog.style ^ expected.style);
    EXPECT_EQ(dialog.exStyle, expected.exStyle);
    EXPECT_EQ(dialog.title, expected.title);
    EXPECT_EQ(dialog.menu, TemplateName{}) << "no menu";
    EXPECT_EQ(dialog.windowClass, TemplateName{}) << "the platform's dialog class";
    EXPECT_EQ(dialog.typeface, expected.typeface);
    EXPECT_EQ(dialog.pointSize, expected.pointSize);
    EXPECT_EQ(dialog.weight, expected.weight);
    EXPECT_EQ(dialog.italic, expected.italic);
    EXPECT_EQ(dialog.charset, expected.charset);

    ASSERT_EQ(dialog.items.size(), expected.controls.size());
    for (size_t i = 0; i < dialog.items.size(); ++i) {
        const DialogItem& item = dialog.items[i];
        const ExpectedControl& want = expected.controls[i];
        SCOPED_TRACE(testing::Message() << "control #" << i << " id " << want.id);
        EXPECT_EQ(item.id, want.id);
        EXPECT_EQ(Lowercase(ClassNameOf(item.windowClass)), Lowercase(want.windowClass));
        if (want.captionOrdinal >= 0) {
            EXPECT_EQ(item.title.ordinal, want.captionOrdinal);
        } else {
            EXPECT_EQ(item.title, (TemplateName{std::u16string(want.caption), -1}));
        }
        EXPECT_EQ(item.style, want.style)
            << std::hex << "differs in 0x" << (item.style ^ want.style);
        EXPECT_EQ(item.exStyle, want.exStyle);
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
        EXPECT_EQ(item.helpId, 0u);
        EXPECT_TRUE(item.creationData.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(AllDialogs, DialogTemplateTest, testing::Values(100, 102, 104, 105),
                         [](const auto& info) { return "Dialog" + std::to_string(info.param); });

TEST(DialogTemplateReader, RejectsTruncatedAndClassicTemplates) {
    const auto bytes = ResourceBytes(RT_DIALOG, 104);
    ASSERT_FALSE(bytes.empty());
    ASSERT_TRUE(ParseDialogTemplateEx(bytes).has_value());
    EXPECT_FALSE(ParseDialogTemplateEx(bytes.first(bytes.size() - 2)).has_value());
    EXPECT_FALSE(ParseDialogTemplateEx(bytes.first(20)).has_value());
    const std::byte classic[] = {std::byte{0x40}, std::byte{0}, std::byte{0}, std::byte{0x40}};
    EXPECT_FALSE(ParseDialogTemplateEx(classic).has_value());
}

}  // namespace
}  // namespace orvanta::test
