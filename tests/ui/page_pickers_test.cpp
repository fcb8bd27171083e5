// The pages' "参照" buttons and the work folder: chosen paths fill the fields, cancels and
// refusals leave them (except the folder browser's cancel, which puts TEMP back), and a
// program started without TEMP.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "framework/file_dialog.h"
#include "platform/platform_seams.h"
#include "res/resource.h"
#include "tests/ui/page_fixture.h"
#include "ui/page_messages.h"

namespace orvanta::test {
namespace {

FileDialogAnswer nextFileAnswer;
PIDLIST_ABSOLUTE nextFolder = nullptr;  // handed over to the browser's caller, who frees it
int foldersBrowsed = 0;

class PagePickersTest : public PageFixture {
  protected:
    PagePickersTest() {
        nextFileAnswer = {};
        nextFolder = nullptr;
        foldersBrowsed = 0;
        PlatformSeams().runFileDialog = [](CFileDialog&) { return nextFileAnswer; };
        PlatformSeams().browseForFolder = [](BROWSEINFOA*) {
            ++foldersBrowsed;
            const PIDLIST_ABSOLUTE folder = nextFolder;
            nextFolder = nullptr;
            return folder;
        };
    }
    ~PagePickersTest() override { ILFree(nextFolder); }

    static void ChooseFolder(const std::wstring& path) {
        nextFolder = ILCreateFromPathW(path.c_str());
    }
};

std::wstring WideOf(const std::string& ansi) {
    std::wstring wide(ansi.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide.data(),
                                    static_cast<int>(wide.size())) -
                1);
    return wide;
}

TEST_F(PagePickersTest, ChosenFilesFillTheFields) {
    const std::string sample = WriteSample("picked.csv", "a,b,c\r\n");
    const struct {
        HWND page;
        const char* extension;
    } pages[] = {{Csv(), ".csv"}, {Text(), ".txt"}};
    for (const auto& p : pages) {
        nextFileAnswer = {true, sample, CFileDialog::PathStatus::Whole};
        Click(p.page, IDC_BUTTON_BROWSE_INPUT);
        EXPECT_EQ(Get(p.page, IDC_EDIT_INPUT), sample);
        EXPECT_EQ(Get(p.page, IDC_EDIT_RECORD_INFO), p.page == Csv() ? "3" : "5");

        nextFileAnswer = {true, "C:\\work\\sorted", CFileDialog::PathStatus::Whole};
        Click(p.page, IDC_BUTTON_BROWSE_OUTPUT);
        EXPECT_EQ(Get(p.page, IDC_EDIT_OUTPUT), std::string("C:\\work\\sorted") + p.extension);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(PagePickersTest, CancelledAndRefusedFilesLeaveTheFields) {
    const struct {
        const char* what;
        FileDialogAnswer answer;
        const wchar_t* message;  // none for a cancel
    } cases[] = {
        {"cancelled", {false, "", CFileDialog::PathStatus::Whole}, nullptr},
        {"too long", {true, "", CFileDialog::PathStatus::TooLong}, messages::kPathTooLong},
        {"no Shift-JIS form",
         {true, "", CFileDialog::PathStatus::NotAnsi},
         messages::kPathNotShiftJis},
    };
    for (HWND page : {Csv(), Text()}) {
        Set(page, IDC_EDIT_INPUT, "C:\\typed\\in.csv");
        Set(page, IDC_EDIT_OUTPUT, "C:\\typed\\out.csv");
        for (int button : {IDC_BUTTON_BROWSE_INPUT, IDC_BUTTON_BROWSE_OUTPUT}) {
            for (const auto& c : cases) {
                messages.clear();
                nextFileAnswer = c.answer;
                Click(page, button);
                EXPECT_EQ(Get(page, IDC_EDIT_INPUT), "C:\\typed\\in.csv") << c.what;
                EXPECT_EQ(Get(page, IDC_EDIT_OUTPUT), "C:\\typed\\out.csv") << c.what;
                if (c.message == nullptr) {
                    EXPECT_TRUE(messages.empty()) << c.what;
                    continue;
                }
                ASSERT_EQ(messages.size(), 1u) << c.what;
                EXPECT_EQ(messages[0].text, std::wstring(c.message));
                EXPECT_EQ(messages[0].owner, page);
                EXPECT_EQ(messages[0].caption, L"Orvanta");
            }
        }
    }
}

TEST_F(PagePickersTest, TheFolderBrowserStartsAtTempAndItsCancelPutsTempBack) {
    const std::string temp = std::getenv("TEMP");
    // 한 has no Shift-JIS form.
    const std::wstring hangul = WideOf(SampleFolder()) + L"\\\xD55C";
    ASSERT_TRUE(CreateDirectoryW(hangul.c_str(), nullptr));
    for (HWND page : {Csv(), Text()}) {
        messages.clear();
        Set(page, IDC_EDIT_WORK_FOLDER, "C:\\elsewhere");
        Click(page, IDC_BUTTON_BROWSE_WORK_FOLDER);
        EXPECT_EQ(Get(page, IDC_EDIT_WORK_FOLDER), temp);

        ChooseFolder(WideOf(SampleFolder()));
        Click(page, IDC_BUTTON_BROWSE_WORK_FOLDER);
        EXPECT_EQ(Get(page, IDC_EDIT_WORK_FOLDER), SampleFolder());
        const std::string option = " /T \"" + SampleFolder() + "\"";
        EXPECT_NE(Get(page, IDC_EDIT_COMMAND_LINE).find(option), std::string::npos);
        EXPECT_TRUE(messages.empty());

        ChooseFolder(hangul);
        Click(page, IDC_BUTTON_BROWSE_WORK_FOLDER);
        EXPECT_EQ(Get(page, IDC_EDIT_WORK_FOLDER), SampleFolder());
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, std::wstring(messages::kPathNotShiftJis));
    }
    RemoveDirectoryW(hangul.c_str());
    EXPECT_EQ(foldersBrowsed, 6);
}

// Restores TEMP as it was when the test ends.
class TempOverride {
  public:
    explicit TempOverride(const std::string& value) : saved_(std::getenv("TEMP")) {
        _putenv_s("TEMP", value.c_str());
    }
    ~TempOverride() { _putenv_s("TEMP", saved_.c_str()); }

  private:
    std::string saved_;
};

TEST_F(PagePickersTest, ATempTooLongToBrowseFromLeavesTheWorkFolder) {
    Set(Csv(), IDC_EDIT_WORK_FOLDER, "C:\\work");
    const TempOverride longTemp("C:\\" + std::string(300, 't'));
    Click(Csv(), IDC_BUTTON_BROWSE_WORK_FOLDER);
    EXPECT_EQ(foldersBrowsed, 0);
    EXPECT_EQ(Get(Csv(), IDC_EDIT_WORK_FOLDER), "C:\\work");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, std::wstring(messages::kTempTooLong));
}

// TEMP goes before the main window is made: the base classes are built in this order.
class TempRemoved {
  protected:
    TempRemoved() : saved_(std::getenv("TEMP")) { _putenv_s("TEMP", ""); }
    ~TempRemoved() { _putenv_s("TEMP", saved_.c_str()); }

  private:
    std::string saved_;
};

class WithoutTempTest : public TempRemoved, public PagePickersTest {};

TEST_F(WithoutTempTest, TheWorkFolderStartsEmptyAndIsComparedWithEmptyText) {
    ASSERT_EQ(std::getenv("TEMP"), nullptr);
    for (HWND page : {Csv(), Text()}) {
        EXPECT_EQ(Get(page, IDC_EDIT_WORK_FOLDER), "");
        Click(page, IDC_BUTTON_CLEAR_KEYS);  // rebuilds the preview
        EXPECT_EQ(Get(page, IDC_EDIT_COMMAND_LINE).find("/T"), std::string::npos);
        Set(page, IDC_EDIT_WORK_FOLDER, "C:\\work");
        EXPECT_NE(Get(page, IDC_EDIT_COMMAND_LINE).find(" /T \"C:\\work\""), std::string::npos);
        Click(page, IDC_BUTTON_BROWSE_WORK_FOLDER);  // cancelled: back to the empty start
        EXPECT_EQ(Get(page, IDC_EDIT_WORK_FOLDER), "");
    }
}

}  // namespace
}  // namespace orvanta::test
