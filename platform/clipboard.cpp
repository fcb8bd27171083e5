#include "platform/clipboard.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

#include "core/os/os.h"

namespace orvanta {
namespace {

char16_t wideBuffer[kClipboardUnits];

// The text's UTF-16 form with its terminator in the wide buffer; the number of units before
// the terminator, or nothing when the text has no whole UTF-16 form that fits.
std::optional<std::size_t> ConvertToWideBuffer(const char* text) {
    const std::optional<std::u16string> wide = os::Cp932ToUtf16(text);
    if (!wide || wide->size() >= kClipboardUnits) {
        return std::nullopt;
    }
    std::memcpy(wideBuffer, wide->c_str(), (wide->size() + 1) * sizeof(char16_t));
    return wide->size();
}

}  // namespace

CopyOutcome CopyCommandToClipboard(const char* text) {
    const std::optional<std::size_t> units = ConvertToWideBuffer(text != nullptr ? text : "");
    if (!units) {
        return CopyOutcome::NotConvertible;
    }
    const std::size_t bytes = (*units + 1) * sizeof(char16_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (block == nullptr) {
        return CopyOutcome::Refused;
    }
    void* locked = GlobalLock(block);
    if (locked == nullptr) {
        GlobalFree(block);
        return CopyOutcome::Refused;
    }
    std::memcpy(locked, wideBuffer, bytes);
    GlobalUnlock(block);

    if (!OpenClipboard(nullptr)) {
        GlobalFree(block);
        return CopyOutcome::Refused;
    }
    EmptyClipboard();
    // Once taken, the block belongs to the clipboard.
    const bool taken = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    if (!taken) {
        GlobalFree(block);
    }
    CloseClipboard();
    return taken ? CopyOutcome::Copied : CopyOutcome::Refused;
}

}  // namespace orvanta
