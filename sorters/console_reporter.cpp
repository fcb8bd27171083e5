#include <string>

#include "sorters/file_io.h"
#include "sorters/reporter.h"

namespace orvanta::sorters {

void ConsoleReporter::Message(std::string_view text) {
    if (progressShown_) {
        WriteConsoleText("\n");
        progressShown_ = false;
    }
    std::string line(text);
    line.push_back('\n');
    WriteConsoleText(line);
}

void ConsoleReporter::Progress(std::string_view text) {
    progressShown_ = true;
    std::string line("\r");
    line.append(text);
    line.append("   ");
    WriteConsoleText(line);
}

ConsoleReporter::~ConsoleReporter() {
    if (progressShown_) {
        WriteConsoleText("\n");
    }
}

}  // namespace orvanta::sorters
