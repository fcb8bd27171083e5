#include "platform/file_pickers.h"

#include <string>
#include <string_view>

#include "platform/path_store.h"
#include "platform/platform_seams.h"

namespace orvanta {
namespace {

PathStore inputStore;
PathStore outputStore;

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto fold = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

// Runs the picker's dialog for `extension` and puts the chosen path into `store`.
PickOutcome Pick(PathStore& store, bool openDialog, const char* extension) {
    const std::string wanted = extension != nullptr ? extension : "";
    const std::string filter = wanted + "(*." + wanted + ")|*." + wanted + "||";
    store.Clear();

    CFileDialog dialog(openDialog, nullptr, nullptr, kPickerFlags, filter.c_str(), nullptr, TRUE);
    const FileDialogAnswer answer = PlatformSeams().runFileDialog(dialog);
    if (!answer.confirmed) {
        return PickOutcome::Cancelled;
    }
    switch (answer.status) {
        case CFileDialog::PathStatus::TooLong:
            return PickOutcome::TooLong;
        case CFileDialog::PathStatus::NotAnsi:
            return PickOutcome::NotAnsi;
        case CFileDialog::PathStatus::Whole:
            break;
    }
    if (!store.Assign(answer.path)) {
        return PickOutcome::TooLong;
    }
    return PickOutcome::Chosen;
}

}  // namespace

const char* PickInputFile(PickOutcome* outcome) {
    PickOutcome result = Pick(inputStore, true, "*");
    if (outcome != nullptr) {
        *outcome = result;
    }
    return inputStore.c_str();
}

const char* PickOutputFile(const char* extension, PickOutcome* outcome) {
    const std::string_view wanted = extension != nullptr ? extension : "";
    PickOutcome result = Pick(outputStore, false, extension);
    if (result == PickOutcome::Chosen && wanted != "*" &&
        !EqualIgnoringAsciiCase(PathExtensionOf(outputStore.c_str()), wanted)) {
        std::string extended = std::string(outputStore.c_str()) + "." + std::string(wanted);
        if (!outputStore.Assign(extended)) {
            outputStore.Clear();
            result = PickOutcome::TooLong;
        }
    }
    if (outcome != nullptr) {
        *outcome = result;
    }
    return outputStore.c_str();
}

}  // namespace orvanta
