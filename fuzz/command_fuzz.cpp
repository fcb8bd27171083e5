// Arbitrary settings and key lists through command assembly. A plain string model of the
// command says how long the whole command is: the buffer must hold it exactly when it fits and
// report "too long" with a clean prefix when it does not.

#include <memory>
#include <string>

#include "core/command.h"
#include "core/decimal.h"
#include "core/sjis.h"
#include "fuzz/fuzz_input.h"

namespace {

using namespace orvanta;

std::string Tail(const SortPageSettings& s, std::string_view temp) {
    std::string tail;
    if (s.utf16Le)
        tail += " /W";
    if (ParseDecimal(s.memoryMb.view()) > 0) {
        tail += " /M " + std::to_string(ParseDecimal(s.memoryMb.view()));
    }
    if (s.workFolder.view() != temp)
        tail += " /T \"" + std::string(s.workFolder.view()) + "\"";
    if (s.ignoreCase)
        tail += " /I";
    std::string hex(s.delimiterHex.view());
    const bool comma = hex.size() == 2 && hex[0] == '2' && (hex[1] == 'C' || hex[1] == 'c');
    if (s.kind == SortPageKind::Csv && !comma)
        tail += " {0x" + hex + "}";
    return tail;
}

std::string Last(std::string_view path) {
    auto at = FindLastByte(path, '\\');
    return std::string(at ? path.substr(*at + 1) : path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    SortPageSettings s;
    const std::uint8_t flags = input.Byte();
    s.kind = flags & 1 ? SortPageKind::Text : SortPageKind::Csv;
    s.utf16Le = flags & 2;
    s.ignoreCase = flags & 4;
    s.inputPath = input.Piece(300);
    s.outputPath = input.Piece(300);
    s.memoryMb = input.Piece(12);
    s.workFolder = input.Piece(300);
    s.delimiterHex = input.Piece(4);
    const std::string temp(input.Piece(300));
    const std::string moduleDirectory(input.Piece(300));
    KeyList keys;
    std::string terms;
    const std::size_t repeat = input.Byte();
    const std::string_view key = input.Piece(40);
    for (std::size_t i = 0; i < repeat; ++i) {
        if (keys.Add(DisplayText(key)) == KeyList::AddResult::Added) {
            terms += " " + std::string(DisplayText(key).view());
        }
    }

    const std::string full = "\"" + moduleDirectory + std::string(s.engineName()) + "\" \"" +
                             std::string(s.inputPath.view()) + "\" \"" +
                             std::string(s.outputPath.view()) + "\"" + terms + Tail(s, temp);
    const std::string preview = std::string(s.engineName()) + " " + Last(s.inputPath.view()) + " " +
                                Last(s.outputPath.view()) + terms + Tail(s, temp);

    auto command = std::make_unique<CommandBuffer>();
    for (int form = 0; form < 2; ++form) {
        const std::string& model = form == 0 ? full : preview;
        if (form == 0) {
            BuildFullCommand(s, keys, moduleDirectory, temp, *command);
        } else {
            BuildCommandPreview(s, keys, temp, *command);
        }
        const std::string_view built = command->view();
        const bool fits = model.size() <= CommandBuffer::kMaxCommandBytes;
        if (command->tooLong() == fits || built.size() > CommandBuffer::kMaxCommandBytes ||
            model.compare(0, built.size(), built) != 0 || (fits && built != model) ||
            (!fits && built.size() + 1 < CommandBuffer::kMaxCommandBytes)) {
            __builtin_trap();
        }
    }
    return 0;
}
