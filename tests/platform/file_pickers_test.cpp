#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dialog_answerer.h"
#include "test_paths.h"
#include "platform/file_pickers.h"
#include "platform/platform_seams.h"

namespace orvanta {
namespace {

using testing::Cp932;
using testing::TempPath;

struct DialogSetUp {
    int runs = 0;
    bool open = false;
    std::string defExt;
    std::string fileName;
    unsigned long flags = 0;
    std::string filter;
    std::vector<std::pair<std::string, std::string>> entries;
    CWnd* parent = nullptr;
    bool vistaStyle = false;
};

DialogSetUp seen;
FileDialogAnswer scripted;

FileDialogAnswer ScriptedDialog(CFileDialog& dialog) {
    ++seen.runs;
    seen.open = dialog.IsOpenDialog();
    seen.defExt = dialog.GetDefExt();
    seen.fileName = dialog.GetInitialFileName();
    seen.flags = dialog.GetFlags();
    seen.filter = dialog.GetFilter();
    seen.entries = dialog.FilterEntries();
    seen.parent = dialog.GetParentWnd();
    seen.vistaStyle = dialog.IsVistaStyle();
    return scripted;
}

FileDialogAnswer Chosen(std::string path) {
    FileDialogAnswer answer;
    answer.confirmed = true;
    answer.path = std::move(path);
    return answer;
}

class FilePickersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        seen = {};
        scripted = {};
        PlatformSeams().runFileDialog = ScriptedDialog;
    }
    void TearDown() override { ResetPlatformSeams(); }
};

TEST_F(FilePickersTest, InputPickerRunsAnOpenDialogForAnyFile) {
    scripted = Chosen("C:\\work\\sales.csv");
    PickOutcome outcome = PickOutcome::Cancelled;

    EXPECT_STREQ(PickInputFile(&outcome), "C:\\work\\sales.csv");
    EXPECT_EQ(outcome, PickOutcome::Chosen);
    EXPECT_EQ(seen.runs, 1);
    EXPECT_TRUE(seen.open);
    EXPECT_EQ(seen.filter, "*(*.*)|*.*||");
    using Entry = std::pair<std::string, std::string>;
    EXPECT_EQ(seen.entries, (std::vector<Entry>{{"*(*.*)", "*.*"}}));
    EXPECT_EQ(seen.flags, 0x882004u);
    EXPECT_EQ(seen.defExt, "");
    EXPECT_EQ(seen.fileName, "");
    EXPECT_EQ(seen.parent, nullptr);
    EXPECT_TRUE(seen.vistaStyle);
}

TEST_F(FilePickersTest, OutputPickerRunsASaveDialogForTheWantedExtension) {
    scripted = Chosen("C:\\work\\out.txt");

    EXPECT_STREQ(PickOutputFile("txt"), "C:\\work\\out.txt");
    EXPECT_FALSE(seen.open);
    EXPECT_EQ(seen.filter, "txt(*.txt)|*.txt||");
    using Entry = std::pair<std::string, std::string>;
    EXPECT_EQ(seen.entries, (std::vector<Entry>{{"txt(*.txt)", "*.txt"}}));
    EXPECT_EQ(seen.flags, 0x882004u);
    EXPECT_EQ(seen.defExt, "");
    EXPECT_TRUE(seen.vistaStyle);
}

TEST_F(FilePickersTest, OutputPickerAppendsTheExtensionWhenTheChosenOneDiffers) {
    struct Case {
        const char* wanted;
        const char* chosen;
        const char* result;
    };
    const Case cases[] = {
        {"csv", "C:\\work\\out", "C:\\work\\out.csv"},
        {"csv", "C:\\work\\OUT.CSV", "C:\\work\\OUT.CSV"},
        {"csv", "C:\\work\\out.txt", "C:\\work\\out.txt.csv"},
        {"csv", "C:\\work\\out.", "C:\\work\\out..csv"},
        {"csv", "D:\\a.b\\out", "D:\\a.b\\out.csv"},
        {"csv", "C:\\work\\out.csvx", "C:\\work\\out.csvx.csv"},
        {"txt", "C:\\work\\a.b.TxT", "C:\\work\\a.b.TxT"},
        {"*", "C:\\work\\out", "C:\\work\\out"},
        {"*", "C:\\work\\out.txt", "C:\\work\\out.txt"},
    };
    for (const Case& c : cases) {
        scripted = Chosen(c.chosen);
        PickOutcome outcome = PickOutcome::Cancelled;
        EXPECT_STREQ(PickOutputFile(c.wanted, &outcome), c.result) << c.wanted << " " << c.chosen;
        EXPECT_EQ(outcome, PickOutcome::Chosen) << c.chosen;
    }
}

TEST_F(FilePickersTest, CancelAfterASuccessfulPickGivesEmptyText) {
    scripted = Chosen("C:\\work\\in.csv");
    ASSERT_STREQ(PickInputFile(), "C:\\work\\in.csv");
    ASSERT_STREQ(PickOutputFile("csv"), "C:\\work\\in.csv");

    scripted = {};
    PickOutcome outcome = PickOutcome::Chosen;
    EXPECT_STREQ(PickInputFile(&outcome), "");
    EXPECT_EQ(outcome, PickOutcome::Cancelled);
    EXPECT_STREQ(PickOutputFile("csv", &outcome), "");
    EXPECT_EQ(outcome, PickOutcome::Cancelled);
}

TEST_F(FilePickersTest, ThePickersKeepSeparateStores) {
    scripted = Chosen("C:\\work\\in.csv");
    const char* input = PickInputFile();
    scripted = Chosen("C:\\work\\out.csv");
    PickOutputFile("csv");
    EXPECT_STREQ(input, "C:\\work\\in.csv");
}

TEST_F(FilePickersTest, APathThatDoesNotFitTheStoreIsRefusedWhole) {
    const std::string prefix = "C:\\";
    const std::string longest = prefix + std::string(259 - prefix.size(), 'a');
    PickOutcome outcome = PickOutcome::Cancelled;

    scripted = Chosen(longest);
    EXPECT_EQ(PickInputFile(&outcome), longest);
    EXPECT_EQ(outcome, PickOutcome::Chosen);

    scripted = Chosen(longest + "b");
    EXPECT_STREQ(PickInputFile(&outcome), "");
    EXPECT_EQ(outcome, PickOutcome::TooLong);
}

TEST_F(FilePickersTest, AnAppendedExtensionThatDoesNotFitRefusesThePath) {
    const std::string stem = "C:\\" + std::string(252, 'a');  // 255 bytes
    PickOutcome outcome = PickOutcome::Cancelled;

    scripted = Chosen(stem);
    EXPECT_EQ(PickOutputFile("csv", &outcome), stem + ".csv");
    EXPECT_EQ(outcome, PickOutcome::Chosen);

    scripted = Chosen(stem + "b");
    EXPECT_STREQ(PickOutputFile("csv", &outcome), "");
    EXPECT_EQ(outcome, PickOutcome::TooLong);
}

TEST_F(FilePickersTest, APathTheDialogCouldNotGiveIsRefused) {
    const std::pair<CFileDialog::PathStatus, PickOutcome> cases[] = {
        {CFileDialog::PathStatus::TooLong, PickOutcome::TooLong},
        {CFileDialog::PathStatus::NotAnsi, PickOutcome::NotAnsi},
    };
    for (const auto& [status, expected] : cases) {
        scripted = Chosen("C:\\work\\before.csv");
        PickOutputFile("csv");
        scripted = Chosen("");
        scripted.status = status;
        PickOutcome outcome = PickOutcome::Chosen;
        EXPECT_STREQ(PickOutputFile("csv", &outcome), "");
        EXPECT_EQ(outcome, expected);
    }
}

TEST(RealPickerTest, InputPickerGivesAnExistingFileTypedIntoTheDialog) {
    ResetPlatformSeams();
    const std::wstring path = TempPath(L"orvanta_入力.csv");
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    PickOutcome outcome = PickOutcome::Cancelled;
    std::string chosen;
    {
        testing::DialogAnswerer answerer(IDOK, path);
        chosen = PickInputFile(&outcome);
        EXPECT_FALSE(answerer.timedOut());
        EXPECT_EQ(answerer.otherDialogs(), 0);
    }
    DeleteFileW(path.c_str());
    EXPECT_EQ(outcome, PickOutcome::Chosen);
    EXPECT_EQ(chosen, Cp932(path));
}

TEST(RealPickerTest, OutputPickerAppendsTheExtensionToATypedName) {
    ResetPlatformSeams();
    const std::wstring path = TempPath(L"orvanta_出力");
    DeleteFileW(path.c_str());
    PickOutcome outcome = PickOutcome::Cancelled;
    std::string chosen;
    {
        testing::DialogAnswerer answerer(IDOK, path);
        chosen = PickOutputFile("csv", &outcome);
        EXPECT_FALSE(answerer.timedOut());
        EXPECT_EQ(answerer.otherDialogs(), 0);
    }
    EXPECT_EQ(outcome, PickOutcome::Chosen);
    EXPECT_EQ(chosen, Cp932(path) + ".csv");
}

}  // namespace
}  // namespace orvanta
