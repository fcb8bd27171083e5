#include "sorters/command_line.h"

#include <cctype>

#include "sorters/consume_prefix.h"
#include "sorters/messages.h"

namespace orvanta::sorters {
namespace {

// A positive decimal of at most 9 digits (the wizard writes at most 7).
std::optional<std::int32_t> ParsePositive(std::string_view text) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    std::int32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value <= 0) {
        return std::nullopt;
    }
    return value;
}

// key(P,L), key(P,L)attr(d), and key(P)attr(o;t) for CSV or key(P,L)attr(o;t) for text.
std::optional<KeyTerm> ParseKeyTerm(SorterKind kind, std::string_view text) {
    if (!ConsumePrefix(text, "key(")) {
        return std::nullopt;
    }
    const std::size_t close = text.find(')');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view numbers = text.substr(0, close);
    text.remove_prefix(close + 1);
    const std::size_t comma = numbers.find(',');
    KeyTerm term;
    const auto position = ParsePositive(numbers.substr(0, comma));
    if (!position) {
        return std::nullopt;
    }
    term.position = *position;
    const bool hasLength = comma != std::string_view::npos;
    if (hasLength) {
        const auto length = ParsePositive(numbers.substr(comma + 1));
        if (!length) {
            return std::nullopt;
        }
        term.length = *length;
    }

    if (text.empty()) {
        return hasLength ? std::optional<KeyTerm>(term) : std::nullopt;
    }
    if (!ConsumePrefix(text, "attr(")) {
        return std::nullopt;
    }
    if (text == "d)") {
        term.descending = true;
        return hasLength ? std::optional<KeyTerm>(term) : std::nullopt;
    }
    if (text.size() != 4 || text[1] != ';' || text[3] != ')') {
        return std::nullopt;
    }
    if (text[0] != 'a' && text[0] != 'd') {
        return std::nullopt;
    }
    if (text[2] != 'i' && text[2] != 'z') {
        return std::nullopt;
    }
    // Numeric keys: CSV names the field only, text names the columns.
    if (hasLength != (kind == SorterKind::Text)) {
        return std::nullopt;
    }
    term.descending = text[0] == 'd';
    term.type = text[2] == 'i' ? KeyType::Number : KeyType::CommaNumber;
    return term;
}

std::optional<unsigned char> ParseDelimiter(std::string_view text) {
    if (text.size() != 6 || text[0] != '{' || text[1] != '0' ||
        (text[2] != 'x' && text[2] != 'X') || text[5] != '}') {
        return std::nullopt;
    }
    auto hexValue = [](char c) -> int {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
    };
    const int high = hexValue(text[3]);
    const int low = hexValue(text[4]);
    if (high < 0 || low < 0) {
        return std::nullopt;
    }
    const auto byte = static_cast<unsigned char>(high * 16 + low);
    // A zero or a line end cannot separate fields within a record.
    if (byte == 0x00 || byte == '\n' || byte == '\r') {
        return std::nullopt;
    }
    return byte;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view option) {
    if (text.size() != option.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != option[i]) {
            return false;
        }
    }
    return true;
}

ParsedCommand Refuse(std::string message) {
    return ParsedCommand{std::nullopt, std::move(message)};
}

}  // namespace

ParsedCommand ParseCommandLine(SorterKind kind, const std::vector<std::string>& args) {
    const char* usage = kind == SorterKind::Csv ? messages::kUsageCsv : messages::kUsageText;
    if (args.size() < 2) {
        return Refuse(std::string(messages::kMissingPaths) + "\n" + usage);
    }
    SortJob job;
    job.kind = kind;
    job.inputPath = args[0];
    job.outputPath = args[1];
    if (job.inputPath.empty()) {
        return Refuse(messages::kEmptyInputPath);
    }
    if (job.outputPath.empty()) {
        return Refuse(messages::kEmptyOutputPath);
    }

    bool optionSeen = false;
    bool memorySeen = false;
    bool folderSeen = false;
    bool delimiterSeen = false;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto repeated = [&](bool& seen) {
            const bool again = seen;
            seen = true;
            optionSeen = true;
            return again;
        };
        if (arg.rfind("key(", 0) == 0) {
            if (optionSeen) {
                return Refuse(messages::kKeyAfterOption + arg);
            }
            const auto term = ParseKeyTerm(kind, arg);
            if (!term) {
                return Refuse(messages::kBadKey + arg);
            }
            job.keys.push_back(*term);
        } else if (EqualsIgnoringCase(arg, "/W")) {
            if (repeated(job.utf16)) {
                return Refuse(messages::kRepeatedOption + arg);
            }
        } else if (EqualsIgnoringCase(arg, "/I")) {
            if (repeated(job.ignoreCase)) {
                return Refuse(messages::kRepeatedOption + arg);
            }
        } else if (EqualsIgnoringCase(arg, "/M")) {
            if (repeated(memorySeen)) {
                return Refuse(messages::kRepeatedOption + arg);
            }
            const auto megabytes =
                i + 1 < args.size() ? ParsePositive(args[i + 1]) : std::optional<std::int32_t>();
            if (!megabytes) {
                return Refuse(messages::kBadMemory);
            }
            job.memoryBytes = static_cast<std::uint64_t>(*megabytes) << 20;
            ++i;
        } else if (EqualsIgnoringCase(arg, "/T")) {
            if (repeated(folderSeen)) {
                return Refuse(messages::kRepeatedOption + arg);
            }
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                return Refuse(messages::kMissingFolder);
            }
            job.workFolder = args[++i];
        } else if (kind == SorterKind::Csv && arg.rfind("{", 0) == 0) {
            if (repeated(delimiterSeen)) {
                return Refuse(messages::kRepeatedOption + arg);
            }
            const auto delimiter = ParseDelimiter(arg);
            if (!delimiter) {
                return Refuse(messages::kBadDelimiter + arg);
            }
            job.delimiter = *delimiter;
        } else {
            return Refuse(messages::kUnknownTerm + arg + "\n" + usage);
        }
    }
    return ParsedCommand{std::move(job), {}};
}

std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) {
                args.push_back(std::move(current));
                current.clear();
                inArgument = false;
            }
        } else {
            current.push_back(c);
            inArgument = true;
        }
    }
    if (inArgument) {
        args.push_back(std::move(current));
    }
    return args;
}

}  // namespace orvanta::sorters
