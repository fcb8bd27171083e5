#include "core/command.h"

#include <string>

#include "core/decimal.h"
#include "core/sjis.h"

namespace orvanta {
namespace {

std::string_view LastPathComponent(std::string_view path) {
    auto separator = FindLastByte(path, '\\');
    return separator ? path.substr(*separator + 1) : path;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
        if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

void AppendQuoted(CommandBuffer& command, std::string_view prefix, std::string_view text) {
    command.Append(prefix);
    command.Append("\"");
    command.Append(text);
    command.Append("\"");
}

void AppendKeyTerms(const KeyList& keys, CommandBuffer& command) {
    for (std::string_view definition : keys) {
        if (!definition.empty()) {
            command.Append(" ");
            command.Append(definition);
        }
    }
}

void AppendOptions(const SortPageSettings& settings, std::string_view temp,
                   CommandBuffer& command) {
    if (settings.utf16Le) {
        command.Append(" /W");
    }
    const std::int32_t memory = ParseDecimal(settings.memoryMb.view());
    if (memory > 0) {
        command.Append(" /M ");
        command.Append(std::to_string(memory));
    }
    if (settings.workFolder.view() != temp) {
        AppendQuoted(command, " /T ", settings.workFolder.view());
    }
    if (settings.ignoreCase) {
        command.Append(" /I");
    }
    if (settings.kind == SortPageKind::Csv &&
        !EqualIgnoringAsciiCase(settings.delimiterHex.view(), "2C")) {
        command.Append(" {0x");
        command.Append(settings.delimiterHex.view());
        command.Append("}");
    }
}

}  // namespace

void BuildCommandPreview(const SortPageSettings& settings, const KeyList& keys,
                         std::string_view temp, CommandBuffer& command) {
    command.Reset();
    command.Append(settings.engineName());
    command.Append(" ");
    command.Append(LastPathComponent(settings.inputPath.view()));
    command.Append(" ");
    command.Append(LastPathComponent(settings.outputPath.view()));
    AppendKeyTerms(keys, command);
    AppendOptions(settings, temp, command);
}

void BuildFullCommand(const SortPageSettings& settings, const KeyList& keys,
                      std::string_view moduleDirectory, std::string_view temp,
                      CommandBuffer& command) {
    command.Reset();
    command.Append("\"");
    command.Append(moduleDirectory);
    command.Append(settings.engineName());
    command.Append("\"");
    AppendQuoted(command, " ", settings.inputPath.view());
    AppendQuoted(command, " ", settings.outputPath.view());
    AppendKeyTerms(keys, command);
    AppendOptions(settings, temp, command);
}

bool ContainsKeyText(std::string_view command) {
    return command.find("key") != std::string_view::npos;
}

}  // namespace orvanta
