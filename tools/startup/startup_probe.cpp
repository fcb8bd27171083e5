// Times how long programs take from their process start to their main window shown.
//
//   startup_probe RUNS LABEL DIALOGS COMMAND [LABEL DIALOGS COMMAND]...
//
// Each program is started RUNS times, the programs taking turns (the first of each round
// moves on by one every round), after one warm-up start of each that is not counted. A run
// ends when the process's visible top-level dialog holds at least DIALOGS child dialogs and
// the process waits for input; the probe then closes it with IDCANCEL and waits for it to
// end. DIALOGS "exit" times a program that ends by itself instead. Prints every run, the
// minimum, median and maximum of each program, and the ratio of each program's median to
// the first program's. Exits 1 with a message when a program does not start, show or end.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kShowTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 10000;
constexpr wchar_t kDialogClass[] = L"#32770";

struct Program {
    std::string label;
    bool endsByItself = false;
    int dialogs = 0;
    std::wstring command;
    std::vector<double> runs;
};

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "startup_probe: %s\n", message.c_str());
    std::exit(1);
}

std::string Narrow(const wchar_t* wide) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(bytes > 0 ? bytes : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), bytes, nullptr, nullptr);
    text.resize(text.size() - 1);
    return text;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

// Dialogs among the window's descendants, found level by level with class-filtered searches:
// each search is one request to the window server, where asking every child for its class
// would be one per child and would slow the check down with the window's size.
int CountDialogs(HWND window) {
    int count = 0;
    for (HWND child = FindWindowExW(window, nullptr, nullptr, nullptr); child != nullptr;
         child = FindWindowExW(window, child, nullptr, nullptr)) {
        for (HWND dialog = FindWindowExW(child, nullptr, kDialogClass, nullptr); dialog != nullptr;
             dialog = FindWindowExW(child, dialog, kDialogClass, nullptr)) {
            ++count;
        }
    }
    return count;
}

// The process's visible top-level dialog with at least `dialogs` dialogs in it, or null.
HWND ShownWindow(DWORD processId, int dialogs) {
    for (HWND window = FindWindowExW(nullptr, nullptr, kDialogClass, nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, kDialogClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window) &&
            (dialogs == 0 || CountDialogs(window) >= dialogs)) {
            return window;
        }
    }
    return nullptr;
}

// One start of the program: milliseconds from CreateProcess to shown (or ended).
double TimeOneStart(const Program& program) {
    std::wstring command = program.command;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        Fail(program.label + " does not start (error " + std::to_string(GetLastError()) + ")");
    }
    CloseHandle(process.hThread);
    LARGE_INTEGER end;
    if (program.endsByItself) {
        if (WaitForSingleObject(process.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
            TerminateProcess(process.hProcess, 1);
            Fail(program.label + " does not end by itself");
        }
        QueryPerformanceCounter(&end);
        CloseHandle(process.hProcess);
        return Milliseconds(start, end);
    }
    // Waiting for input comes after the first paint. The window check then makes sure that
    // what is shown is the main window with its dialogs; the time is taken before each check,
    // so that the check's own requests are not counted.
    WaitForInputIdle(process.hProcess, kShowTimeoutMs);
    QueryPerformanceCounter(&end);
    HWND shown = nullptr;
    for (;;) {
        shown = ShownWindow(process.dwProcessId, program.dialogs);
        if (shown != nullptr) {
            break;
        }
        if (Milliseconds(start, end) > kShowTimeoutMs ||
            WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            TerminateProcess(process.hProcess, 1);
            Fail(program.label + " shows no window with " + std::to_string(program.dialogs) +
                 " dialogs in it");
        }
        Sleep(1);
        QueryPerformanceCounter(&end);
    }
    PostMessageW(shown, WM_COMMAND, IDCANCEL, 0);
    if (WaitForSingleObject(process.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        Fail(program.label + " does not end when closed");
    }
    CloseHandle(process.hProcess);
    return Milliseconds(start, end);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::vector<Program> ParsePrograms(int count, wchar_t** arguments) {
    std::vector<Program> programs;
    for (int i = 2; i + 2 < count; i += 3) {
        Program program;
        program.label = Narrow(arguments[i]);
        const std::string dialogs = Narrow(arguments[i + 1]);
        program.endsByItself = dialogs == "exit";
        program.dialogs = program.endsByItself ? 0 : std::atoi(dialogs.c_str());
        program.command = arguments[i + 2];
        programs.push_back(program);
    }
    if (programs.empty() || (count - 2) % 3 != 0) {
        Fail("usage: startup_probe RUNS LABEL DIALOGS COMMAND [LABEL DIALOGS COMMAND]...");
    }
    return programs;
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count < 5) {
        Fail("usage: startup_probe RUNS LABEL DIALOGS COMMAND [LABEL DIALOGS COMMAND]...");
    }
    const int runs = std::atoi(Narrow(arguments[1]).c_str());
    if (runs < 1) {
        Fail("RUNS must be at least 1");
    }
    std::vector<Program> programs = ParsePrograms(count, arguments);
    LocalFree(arguments);

    std::printf("warm-up (not counted):");
    for (const Program& program : programs) {
        std::printf(" %s %.1f", program.label.c_str(), TimeOneStart(program));
    }
    std::printf(" ms\n");
    for (int round = 0; round < runs; ++round) {
        std::printf("run %2d:", round + 1);
        for (std::size_t turn = 0; turn < programs.size(); ++turn) {
            Program& program = programs[(round + turn) % programs.size()];
            program.runs.push_back(TimeOneStart(program));
            std::printf(" %s %.1f", program.label.c_str(), program.runs.back());
        }
        std::printf(" ms\n");
        std::fflush(stdout);
    }
    for (const Program& program : programs) {
        const auto [least, most] = std::minmax_element(program.runs.begin(), program.runs.end());
        std::printf("%-10s min %7.1f  median %7.1f  max %7.1f ms  (%d runs)\n",
                    program.label.c_str(), *least, Median(program.runs), *most, runs);
    }
    const double baseline = Median(programs.front().runs);
    for (std::size_t i = 1; i < programs.size(); ++i) {
        std::printf("%s / %s (medians): %.2f\n", programs[i].label.c_str(),
                    programs.front().label.c_str(), Median(programs[i].runs) / baseline);
    }
    return 0;
}
