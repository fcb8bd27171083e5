#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/console_launch.h"
#include "platform/platform_seams.h"

namespace orvanta {
namespace {

struct LaunchSeen {
    const char* applicationName = "unset";
    std::string commandLine;
    BOOL inheritHandles = FALSE;
    DWORD creationFlags = 0;
    STARTUPINFOA startup = {};
};

// Attribute changes and starts, in the order they happen.
std::vector<std::string> events;
LaunchSeen launched;
DWORD scriptedProcessId = 0;

DWORD ScriptedLaunch(const char* applicationName, char* commandLine, BOOL inheritHandles,
                     DWORD creationFlags, STARTUPINFOA* startup) {
    events.push_back("launch");
    launched.applicationName = applicationName;
    launched.commandLine = commandLine;
    launched.inheritHandles = inheritHandles;
    launched.creationFlags = creationFlags;
    std::memcpy(&launched.startup, startup, sizeof launched.startup);
    return scriptedProcessId;
}

void RecordTextAttribute(WORD attribute) {
    events.push_back("attribute " + std::to_string(attribute));
}

// True when every byte of the record is zero, once the named fields are cleared.
bool RestIsZero(STARTUPINFOA startup) {
    startup.cb = 0;
    startup.dwFlags = 0;
    startup.wShowWindow = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(&startup);
    for (std::size_t i = 0; i < sizeof startup; ++i) {
        if (bytes[i] != 0) {
            return false;
        }
    }
    return true;
}

class ConsoleLaunchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* windir = std::getenv("windir");
        if (windir != nullptr) {
            savedWindir_ = windir;
        }
        SetWindir("C:\\WINDOWS");
        events.clear();
        launched = {};
        scriptedProcessId = 4242;
        PlatformSeams().launch = ScriptedLaunch;
        PlatformSeams().setTextAttribute = RecordTextAttribute;
    }
    void TearDown() override {
        ResetPlatformSeams();
        SetWindir(savedWindir_ ? savedWindir_->c_str() : "");
    }
    // An empty value removes the variable.
    static void SetWindir(const char* value) { _putenv_s("windir", value); }

  private:
    std::optional<std::string> savedWindir_;
};

TEST_F(ConsoleLaunchTest, RunsTheQuotedCommandThroughTheInterpreterInANewConsole) {
    const char* command = "\"C:\\Tools\\Pellacor.exe\" \"D:\\in\\a.csv\" \"D:\\out.csv\" key(2)";
    LaunchOutcome outcome = LaunchOutcome::NoCommand;

    EXPECT_EQ(RunInConsole(command, &outcome), 4242u);
    EXPECT_EQ(outcome, LaunchOutcome::Started);
    EXPECT_EQ(launched.commandLine,
              "C:\\WINDOWS\\SYSTEM32\\CMD.EXE /K \"\"C:\\Tools\\Pellacor.exe\" \"D:\\in\\a.csv\" "
              "\"D:\\out.csv\" key(2)\"");
    EXPECT_EQ(launched.applicationName, nullptr);
    EXPECT_EQ(launched.inheritHandles, TRUE);
    EXPECT_EQ(launched.creationFlags, static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
    EXPECT_EQ(launched.startup.cb, 104u);
    EXPECT_TRUE(RestIsZero(launched.startup));
    EXPECT_EQ(launched.startup.dwFlags, 0u);
    EXPECT_EQ(events, (std::vector<std::string>{"attribute 10", "launch", "attribute 15"}));
}

TEST_F(ConsoleLaunchTest, StartsNothingWithoutACommandOrWithoutWindir) {
    LaunchOutcome outcome = LaunchOutcome::Started;
    EXPECT_EQ(RunInConsole(nullptr, &outcome), 0u);
    EXPECT_EQ(outcome, LaunchOutcome::NoCommand);
    EXPECT_EQ(RunInConsole("", &outcome), 0u);
    EXPECT_EQ(outcome, LaunchOutcome::NoCommand);

    SetWindir("");
    ASSERT_EQ(std::getenv("windir"), nullptr);
    EXPECT_EQ(RunInConsole("dir", &outcome), 0u);
    EXPECT_EQ(outcome, LaunchOutcome::NoWindir);

    EXPECT_TRUE(events.empty());
}

TEST_F(ConsoleLaunchTest, AFailedStartReturnsZeroAndLeavesTheAttributeAt10) {
    scriptedProcessId = 0;
    LaunchOutcome outcome = LaunchOutcome::Started;

    EXPECT_EQ(RunInConsole("dir", &outcome), 0u);
    EXPECT_EQ(outcome, LaunchOutcome::StartFailed);
    EXPECT_EQ(events, (std::vector<std::string>{"attribute 10", "launch"}));
}

TEST_F(ConsoleLaunchTest, ACommandThatDoesNotFitTheConsoleLineIsRefusedNeverCut) {
    // With a ten-byte windir the command may have 494 bytes.
    const std::string longest(494, 'k');
    LaunchOutcome outcome = LaunchOutcome::NoCommand;
    EXPECT_EQ(RunInConsole(longest.c_str(), &outcome), 4242u);
    EXPECT_EQ(launched.commandLine, "C:\\WINDOWS\\SYSTEM32\\CMD.EXE /K \"" + longest + "\"");
    EXPECT_EQ(launched.commandLine.size(), kConsoleLineSize - 1);

    events.clear();
    const std::string tooLong = longest + "k";
    EXPECT_EQ(RunInConsole(tooLong.c_str(), &outcome), 0u);
    EXPECT_EQ(outcome, LaunchOutcome::TooLong);
    EXPECT_TRUE(events.empty());

    SetWindir("C:\\WIN");  // three bytes shorter: room for three more
    EXPECT_EQ(RunInConsole((longest + "kkk").c_str(), &outcome), 4242u);
    EXPECT_EQ(outcome, LaunchOutcome::Started);
}

std::string ExecutableDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path);
    return text.substr(0, text.rfind('\\') + 1);
}

TEST_F(ConsoleLaunchTest, OpenManualOpensTheDocumentThroughAHiddenFixedInterpreter) {
    SetWindir("D:\\OS");  // not consulted
    OpenManual();

    EXPECT_EQ(launched.commandLine, "C:\\Windows\\System32\\cmd.exe /c start \"\" \"" +
                                        ExecutableDirectory() + "Velkano.pdf\"");
    EXPECT_EQ(launched.applicationName, nullptr);
    EXPECT_EQ(launched.inheritHandles, TRUE);
    EXPECT_EQ(launched.creationFlags, static_cast<DWORD>(CREATE_NO_WINDOW));
    EXPECT_EQ(launched.startup.cb, 104u);
    EXPECT_EQ(launched.startup.dwFlags, static_cast<DWORD>(STARTF_USESHOWWINDOW));
    EXPECT_EQ(launched.startup.wShowWindow, SW_HIDE);
    EXPECT_TRUE(RestIsZero(launched.startup));
    EXPECT_EQ(events, (std::vector<std::string>{"launch"}));
}

TEST(RealLaunchTest, StartsTheProcessAndGivesItsId) {
    ResetPlatformSeams();
    char commandLine[] = "cmd.exe /c exit 7";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    DWORD id = PlatformSeams().launch(nullptr, commandLine, FALSE, CREATE_NO_WINDOW, &startup);
    ASSERT_NE(id, 0u);

    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    ASSERT_NE(process, nullptr);
    EXPECT_EQ(WaitForSingleObject(process, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    EXPECT_TRUE(GetExitCodeProcess(process, &exitCode));
    EXPECT_EQ(exitCode, 7u);
    CloseHandle(process);

    char missing[] = "Z:\\no\\such\\program.exe";
    EXPECT_EQ(PlatformSeams().launch(nullptr, missing, FALSE, 0, &startup), 0u);
}

}  // namespace
}  // namespace orvanta
