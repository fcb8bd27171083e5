#include "ui/sort_page_dlg.h"

#include <shellapi.h>
#include <sys/stat.h>

#include <string>

#include "core/command.h"
#include "core/delimiter.h"
#include "core/key_definition.h"
#include "core/os/os.h"
#include "core/paths.h"
#include "framework/seams.h"
#include "platform/clipboard.h"
#include "platform/console_launch.h"
#include "platform/file_pickers.h"
#include "platform/folder_browser.h"
#include "ui/keyboard_guard.h"
#include "ui/module_directory_store.h"
#include "ui/page_entry_limits.h"
#include "ui/page_messages.h"
#include "ui/process_exit.h"

namespace {

using namespace orvanta;

template <std::size_t Width>
FixedText<Width> ReadText(const CWnd& control) {
    char text[Width + 1] = {};
    control.GetWindowText(text, static_cast<int>(sizeof text));
    return FixedText<Width>(text);
}

bool Checked(const CButton& radio) {
    return radio.GetCheck() == BST_CHECKED;
}

// A name the page may take: FindFirstFileA finds it and it is a folder.
bool NamesFolder(const char* name) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(name, &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

SortPageDlg::SortPageDlg(UINT templateId, SortPageKind kind)
    : CDialogEx(templateId), m_kind(kind) {}

SortPageData& SortPageDlg::Data() const {
    return m_kind == SortPageKind::Csv ? CsvPageData() : TextPageData();
}

SortPageSettings SortPageDlg::Settings() const {
    SortPageSettings s;
    s.kind = m_kind;
    s.inputPath = ReadText<kPathReadWidth>(m_editInput).view();
    s.outputPath = ReadText<kPathReadWidth>(m_editOutput).view();
    s.keyPosition = ReadText<kKeyFieldReadWidth>(m_editKeyPosition).view();
    s.keyLength = ReadText<kKeyFieldReadWidth>(m_editKeyLength).view();
    s.order = Checked(m_radioDescending) ? KeyOrder::Descending : KeyOrder::Ascending;
    s.attribute = Checked(m_radioNumber)        ? KeyAttribute::Number
                  : Checked(m_radioCommaNumber) ? KeyAttribute::CommaNumber
                                                : KeyAttribute::String;
    s.valuePreview = ReadText<kDisplayReadWidth>(m_editValuePreview).view();
    s.keyDefinition = ReadText<kDisplayReadWidth>(m_editKeyDefinition).view();
    s.utf16Le = Checked(m_radioUtf16Le);
    s.ignoreCase = Checked(m_radioIgnoreCase);
    s.memoryMb = ReadText<kPathReadWidth>(m_editMemory).view();
    s.workFolder = ReadText<kPathReadWidth>(m_editWorkFolder).view();
    ReadPageOptions(s);
    return s;
}

void SortPageDlg::ReadPageOptions(SortPageSettings&) const {}

void SortPageDlg::StartKeyAndOptionChoices() {
    m_radioAscending.SetCheck(BST_CHECKED);
    m_radioString.SetCheck(BST_CHECKED);
    m_radioDescending.SetCheck(BST_UNCHECKED);
    m_radioNumber.SetCheck(BST_UNCHECKED);
    m_radioCommaNumber.SetCheck(BST_UNCHECKED);

    m_editValuePreview.SetLimitText(kDisplayEntryLimit);
    m_editKeyDefinition.SetLimitText(kDisplayEntryLimit);

    // "UTF-8" is left alone: it starts cleared.
    m_radioShiftJis.SetCheck(BST_CHECKED);
    m_radioCaseSensitive.SetCheck(BST_CHECKED);
    m_radioUtf16Le.SetCheck(BST_UNCHECKED);
    m_radioIgnoreCase.SetCheck(BST_UNCHECKED);
}

void SortPageDlg::RefreshValuePreview() {
    m_editValuePreview.SetWindowText(PreviewValue(Settings()).c_str());
}

void SortPageDlg::RefreshKeyDefinition() {
    Data().keyDefinition = ComposeKeyDefinition(Settings());
    m_editKeyDefinition.SetWindowText(Data().keyDefinition.c_str());
}

void SortPageDlg::RefreshCommandPreview() {
    const std::string temp = os::EnvironmentValue("TEMP");
    BuildCommandPreview(Settings(), Data().keys, temp, Data().command);
    m_editCommandLine.SetWindowText(Data().command.c_str());
}

void SortPageDlg::OnEnChangeInputFile() {
    char name[kPathReadWidth + 1] = {};
    m_editInput.GetWindowText(name, static_cast<int>(sizeof name));
    m_editOutput.SetWindowText("");
    if (name[0] != '\0' && NamesFolder(name)) {
        return;
    }
    // Only a file is read: a drive's root, which no search finds, must not pass for one.
    struct _stat status;
    if (_stat(name, &status) != 0 || (status.st_mode & _S_IFREG) == 0) {
        return;
    }
    // A proposal longer than the output field is read with would be cut into another name.
    const std::string proposed = ProposeOutputName(name);
    if (proposed.size() <= kPathReadWidth) {
        m_editOutput.SetWindowText(proposed.c_str());
    }
    SampleRecord& sample = Data().sample;
    ReadSampleRecord(m_kind, name, sample, DelimiterByte);
    const int shown = m_kind == SortPageKind::Csv ? sample.fieldCount : sample.length;
    m_editRecordInfo.SetWindowText(std::to_string(shown).c_str());
    m_radioUtf16Le.SetCheck(sample.encoding == EncodingClass::Utf16Le ? BST_CHECKED
                                                                      : BST_UNCHECKED);
    m_radioUtf8.SetCheck(sample.encoding == EncodingClass::Utf8 ? BST_CHECKED : BST_UNCHECKED);
    const bool shiftJis =
        sample.encoding != EncodingClass::Utf16Le && sample.encoding != EncodingClass::Utf8;
    m_radioShiftJis.SetCheck(shiftJis ? BST_CHECKED : BST_UNCHECKED);
    RefreshValuePreview();
    RefreshKeyDefinition();
    RefreshCommandPreview();
}

void SortPageDlg::OnEnChangeKeyField() {
    RefreshValuePreview();
    RefreshKeyDefinition();
    RefreshCommandPreview();
}

void SortPageDlg::OnOptionChanged() {
    RefreshCommandPreview();
}

void SortPageDlg::OnBnClickedBrowseInput() {
    PickOutcome outcome = PickOutcome::Cancelled;
    const char* chosen = PickInputFile(&outcome);
    if (chosen[0] != '\0') {
        m_editInput.SetWindowText(chosen);
    } else {
        ReportRefusedPath(outcome);
    }
}

void SortPageDlg::OnBnClickedBrowseOutput() {
    PickOutcome outcome = PickOutcome::Cancelled;
    const char* chosen = PickOutputFile(m_kind == SortPageKind::Csv ? "csv" : "txt", &outcome);
    if (chosen[0] != '\0') {
        m_editOutput.SetWindowText(chosen);
    } else {
        ReportRefusedPath(outcome);
    }
}

void SortPageDlg::OnBnClickedBrowseWorkFolder() {
    const std::string temp = os::EnvironmentValue("TEMP");
    PickOutcome outcome = PickOutcome::Cancelled;
    const std::string chosen = BrowseForFolder(temp.c_str(), &outcome);
    // A refused folder, or a TEMP too long to start the browser from, leaves the field as it is.
    if (outcome == PickOutcome::TooLong && temp.size() > kPathReadWidth) {
        ShowPageMessage(messages::kTempTooLong);
    } else if (!ReportRefusedPath(outcome)) {
        m_editWorkFolder.SetWindowText(chosen.c_str());
    }
}

void SortPageDlg::OnDropFiles(HDROP drop) {
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT item = 0; item < count; ++item) {
        const UINT length = DragQueryFileA(drop, item, nullptr, 0);
        std::string name(length + 1, '\0');
        DragQueryFileA(drop, item, name.data(), length + 1);
        name.resize(length);
        if (!name.empty() && NamesFolder(name.c_str())) {
            continue;
        }
        // The input field is read with 259 bytes: a longer name would be cut into another.
        if (name.size() > kPathReadWidth) {
            ShowPageMessage(messages::kPathTooLong);
        } else {
            m_editInput.SetWindowText(name.c_str());
        }
        break;
    }
    DragFinish(drop);
}

void SortPageDlg::AddKey() {
    const DisplayText definition = ReadText<kDisplayReadWidth>(m_editKeyDefinition);
    switch (Data().keys.Add(definition)) {
        case KeyList::AddResult::EmptyText:
            ShowPageMessage(m_kind == SortPageKind::Csv ? messages::kCsvNothingToAdd
                                                        : messages::kTextNothingToAdd);
            return;
        case KeyList::AddResult::Full:
            ShowPageMessage(messages::kKeyListFull);
            return;
        case KeyList::AddResult::OutOfMemory:
            FailForLackOfMemory(m_hWnd);
            return;
        case KeyList::AddResult::Added:
            break;
    }
    RefreshCommandPreview();
    m_editKeyPosition.SetWindowText("");
}

void SortPageDlg::ClearKeys() {
    if (PressedSinceLastQuery(VK_ESCAPE)) {
        return;
    }
    Data().keys.Clear();
    RefreshCommandPreview();
}

bool SortPageDlg::BuildAndCopy() {
    CommandBuffer& command = Data().command;
    const std::string temp = os::EnvironmentValue("TEMP");
    BuildFullCommand(Settings(), Data().keys, HeldModuleDirectory(), temp, command);
    m_runPermitted = false;
    if (command.tooLong()) {
        ShowPageMessage(messages::kCommandTooLong);
        return false;
    }
    switch (CopyCommandToClipboard(command.c_str())) {
        case CopyOutcome::Copied:
            return true;
        case CopyOutcome::NotConvertible:
            ShowPageMessage(messages::kCommandNotShiftJis);
            return false;
        case CopyOutcome::Refused:
            // Running does not depend on the clipboard: another program may simply hold it.
            ShowPageMessage(messages::kCopyFailed);
            return true;
    }
    return false;
}

void SortPageDlg::CopyCommand() {
    if (!BuildAndCopy() || m_kind != SortPageKind::Csv) {
        return;
    }
    m_runPermitted = ContainsKeyText(Data().command.view());
    if (!m_runPermitted) {
        ShowPageMessage(messages::kCsvNoKey);
    }
}

void SortPageDlg::ExecuteCommand() {
    if (PressedSinceLastQuery(VK_RETURN)) {
        return;
    }
    if (m_kind == SortPageKind::Csv) {
        CopyCommand();
        if (m_runPermitted) {
            Launch();
        }
        return;
    }
    if (!BuildAndCopy()) {
        return;
    }
    if (!ContainsKeyText(Data().command.view())) {
        ShowPageMessage(messages::kTextNoKey);
    }
    Launch();
}

void SortPageDlg::Launch() {
    LaunchOutcome outcome = LaunchOutcome::Started;
    RunInConsole(Data().command.c_str(), &outcome);
    if (outcome == LaunchOutcome::TooLong) {
        ShowPageMessage(messages::kConsoleLineTooLong);
    }
}

PageControlRole SortPageDlg::RoleOf(HWND control) const {
    if (IsAnyOf(control, {&m_editInput, &m_editOutput, &m_editKeyPosition, &m_editKeyLength,
                          &m_editMemory, &m_editWorkFolder})) {
        return PageControlRole::EditableField;
    }
    if (IsAnyOf(control, {&m_radioAscending, &m_radioDescending, &m_radioString, &m_radioNumber,
                          &m_radioCommaNumber})) {
        return PageControlRole::KeyRadio;
    }
    if (IsAnyOf(control, {&m_radioShiftJis, &m_radioUtf16Le, &m_radioUtf8, &m_radioCaseSensitive,
                          &m_radioIgnoreCase})) {
        return PageControlRole::OptionRadio;
    }
    if (control == m_editCommandLine.m_hWnd) {
        return PageControlRole::CommandLine;
    }
    return PageControlRole::Other;
}

bool SortPageDlg::ReportRefusedPath(PickOutcome outcome) {
    if (outcome != PickOutcome::TooLong && outcome != PickOutcome::NotAnsi) {
        return false;
    }
    ShowPageMessage(outcome == PickOutcome::TooLong ? messages::kPathTooLong
                                                    : messages::kPathNotShiftJis);
    return true;
}

void SortPageDlg::ShowPageMessage(const wchar_t* text) {
    ShowMessage(m_hWnd, text, messages::kCaption, MB_OK);
}
