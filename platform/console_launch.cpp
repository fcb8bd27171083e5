#include "platform/console_launch.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/paths.h"
#include "platform/platform_seams.h"

namespace orvanta {
namespace {

constexpr WORD kBrightGreen = FOREGROUND_GREEN | FOREGROUND_INTENSITY;  // 10
constexpr WORD kBrightWhite = 15;

constexpr std::size_t kDocumentPathSize = 272;
constexpr std::size_t kManualLineSize = 528;

// Formats into `buffer` and tells whether the whole text fit.
template <std::size_t Size, typename... Args>
bool FormatWhole(char (&buffer)[Size], const char* format, Args... args) {
    int length = std::snprintf(buffer, Size, format, args...);
    return length >= 0 && static_cast<std::size_t>(length) < Size;
}

LaunchOutcome Run(const char* command, DWORD& processId) {
    processId = 0;
    if (command == nullptr || *command == '\0') {
        return LaunchOutcome::NoCommand;
    }
    const char* windir = std::getenv("windir");
    if (windir == nullptr) {
        return LaunchOutcome::NoWindir;
    }
    char line[kConsoleLineSize];
    if (!FormatWhole(line, "%s\\SYSTEM32\\CMD.EXE /K \"%s\"", windir, command)) {
        return LaunchOutcome::TooLong;
    }

    // Matters only when a console is attached to this program.
    PlatformSeams().setTextAttribute(kBrightGreen);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    processId = PlatformSeams().launch(nullptr, line, TRUE, NORMAL_PRIORITY_CLASS, &startup);
    if (processId == 0) {
        return LaunchOutcome::StartFailed;
    }
    PlatformSeams().setTextAttribute(kBrightWhite);
    return LaunchOutcome::Started;
}

}  // namespace

DWORD RunInConsole(const char* command, LaunchOutcome* outcome) {
    DWORD processId = 0;
    LaunchOutcome result = Run(command, processId);
    if (outcome != nullptr) {
        *outcome = result;
    }
    return processId;
}

void OpenManual() {
    const std::string directory = ModuleDirectory();
    char document[kDocumentPathSize];
    char line[kManualLineSize];
    // The interpreter's path is fixed here, whatever "windir" says. "start" hands the
    // document to its associated program; an interpreter without it (Wine's) only runs
    // executables. The empty title keeps the quoted path from being taken for one.
    if (!FormatWhole(document, "%sVelkano.pdf", directory.c_str()) ||
        !FormatWhole(line, "C:\\Windows\\System32\\cmd.exe /c start \"\" \"%s\"", document)) {
        return;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PlatformSeams().launch(nullptr, line, TRUE, CREATE_NO_WINDOW, &startup);
}

}  // namespace orvanta
