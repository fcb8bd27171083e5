#include "framework/file_dialog.h"

#include <shlwapi.h>

#include <cstring>

#include "core/sjis.h"
#include "framework/classic_file_dialog_calls.h"
#include "framework/win_app.h"
#include "framework/wnd.h"
#include "platform/ansi_path.h"
#include "platform/com_apartment.h"

namespace {

// Holds one COM interface and releases it when it goes out of scope.
template <typename Interface>
class ComRef {
  public:
    ComRef() = default;
    ~ComRef() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    Interface** Put() { return &pointer_; }
    void** PutVoid() { return reinterpret_cast<void**>(&pointer_); }
    Interface* operator->() const { return pointer_; }

  private:
    Interface* pointer_ = nullptr;
};

std::wstring WideFromAnsi(const std::string& text) {
    int units = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (units <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), units);
    wide.resize(static_cast<std::size_t>(units) - 1);  // the terminator
    return wide;
}

struct OptionPair {
    DWORD ofnFlag;
    FILEOPENDIALOGOPTIONS itemOption;
};

constexpr OptionPair kOptionPairs[] = {
    {OFN_OVERWRITEPROMPT, FOS_OVERWRITEPROMPT},
    {OFN_NOCHANGEDIR, FOS_NOCHANGEDIR},
    {OFN_NOVALIDATE, FOS_NOVALIDATE},
    {OFN_PATHMUSTEXIST, FOS_PATHMUSTEXIST},
    {OFN_FILEMUSTEXIST, FOS_FILEMUSTEXIST},
    {OFN_CREATEPROMPT, FOS_CREATEPROMPT},
    {OFN_SHAREAWARE, FOS_SHAREAWARE},
    {OFN_NOREADONLYRETURN, FOS_NOREADONLYRETURN},
    {OFN_NOTESTFILECREATE, FOS_NOTESTFILECREATE},
    {OFN_NODEREFERENCELINKS, FOS_NODEREFERENCELINKS},
    {OFN_DONTADDTORECENT, FOS_DONTADDTORECENT},
    {OFN_FORCESHOWHIDDEN, FOS_FORCESHOWHIDDEN},
};

}  // namespace

std::string PathExtensionOf(const char* path) {
    const char* extension = PathFindExtensionA(path);
    if (extension == nullptr || *extension != '.') {
        return {};
    }
    return extension + 1;
}

FILEOPENDIALOGOPTIONS ItemDialogOptions(FILEOPENDIALOGOPTIONS defaults, DWORD ofnFlags) {
    // As with the classic dialog, asking for the file or for creation implies the path exists.
    if (ofnFlags & (OFN_FILEMUSTEXIST | OFN_CREATEPROMPT)) {
        ofnFlags |= OFN_PATHMUSTEXIST;
    }
    FILEOPENDIALOGOPTIONS options = defaults;
    for (const OptionPair& pair : kOptionPairs) {
        if (ofnFlags & pair.ofnFlag) {
            options |= pair.itemOption;
        } else {
            options &= ~pair.itemOption;
        }
    }
    return options | FOS_FORCEFILESYSTEM;
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                         DWORD dwFlags, const char* lpszFilter, CWnd* pParentWnd, BOOL bVistaStyle)
    : m_openFileDialog(bOpenFileDialog != FALSE),
      m_defExt(lpszDefExt != nullptr ? lpszDefExt : ""),
      m_initialFileName(lpszFileName != nullptr ? lpszFileName : ""),
      m_flags(dwFlags),
      m_filter(lpszFilter != nullptr ? lpszFilter : ""),
      m_parent(pParentWnd),
      m_vistaStyle(bVistaStyle != FALSE) {}

std::vector<std::pair<std::string, std::string>> CFileDialog::FilterEntries() const {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < m_filter.size(); ++i) {
        const char byte = m_filter[i];
        if (orvanta::IsLeadByte(static_cast<unsigned char>(byte)) && i + 1 < m_filter.size()) {
            fields.back() += byte;
            fields.back() += m_filter[++i];
        } else if (byte == '|') {
            fields.emplace_back();
        } else {
            fields.back() += byte;
        }
    }
    // Label and pattern alternate; an empty label ends the list, as the doubled "|" does.
    std::vector<std::pair<std::string, std::string>> entries;
    for (std::size_t i = 0; i + 1 < fields.size() && !fields[i].empty(); i += 2) {
        entries.emplace_back(fields[i], fields[i + 1]);
    }
    return entries;
}

INT_PTR CFileDialog::DoModal() {
    m_pathName.clear();
    m_pathStatus = PathStatus::Whole;
    INT_PTR result = IDCANCEL;
    if (m_vistaStyle && RunItemDialog(result)) {
        return result;
    }
    return RunClassicDialog();
}

HWND CFileDialog::Owner() const {
    if (m_parent != nullptr) {
        return m_parent->GetSafeHwnd();
    }
    const CWinApp* app = AfxGetApp();
    return app != nullptr && app->m_pMainWnd != nullptr ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
}

bool CFileDialog::RunItemDialog(INT_PTR& result) {
    orvanta::ComApartment apartment;
    ComRef<IFileDialog> dialog;
    const CLSID& kind = m_openFileDialog ? CLSID_FileOpenDialog : CLSID_FileSaveDialog;
    if (FAILED(CoCreateInstance(kind, nullptr, CLSCTX_INPROC_SERVER, IID_IFileDialog,
                                dialog.PutVoid()))) {
        return false;
    }

    FILEOPENDIALOGOPTIONS defaults = 0;
    dialog->GetOptions(&defaults);
    dialog->SetOptions(ItemDialogOptions(defaults, m_flags));

    // The wide texts first, so that the filter records can point into them.
    std::vector<std::wstring> texts;
    for (const auto& [label, pattern] : FilterEntries()) {
        texts.push_back(WideFromAnsi(label));
        texts.push_back(WideFromAnsi(pattern));
    }
    std::vector<COMDLG_FILTERSPEC> fileTypes;
    for (std::size_t i = 0; i + 1 < texts.size(); i += 2) {
        fileTypes.push_back({texts[i].c_str(), texts[i + 1].c_str()});
    }
    if (!fileTypes.empty()) {
        dialog->SetFileTypes(static_cast<UINT>(fileTypes.size()), fileTypes.data());
    }
    if (!m_defExt.empty()) {
        dialog->SetDefaultExtension(WideFromAnsi(m_defExt).c_str());
    }
    if (!m_initialFileName.empty()) {
        dialog->SetFileName(WideFromAnsi(m_initialFileName).c_str());
    }

    result = IDCANCEL;
    if (FAILED(dialog->Show(Owner()))) {
        return true;
    }
    ComRef<IShellItem> item;
    PWSTR path = nullptr;
    if (SUCCEEDED(dialog->GetResult(item.Put())) &&
        SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
        SetChosenPath(path);
        CoTaskMemFree(path);
        result = IDOK;
    }
    return true;
}

INT_PTR CFileDialog::RunClassicDialog() {
    // Label and pattern pairs separated by zero bytes, the list closed by one more.
    std::string filter;
    for (const auto& [label, pattern] : FilterEntries()) {
        filter.append(label).append(1, '\0').append(pattern).append(1, '\0');
    }
    filter.append(1, '\0');

    // An initial name that does not fit the store is left out rather than cut.
    std::vector<char> path(kClassicPathBytes, '\0');
    if (m_initialFileName.size() < kClassicPathBytes) {
        std::memcpy(path.data(), m_initialFileName.c_str(), m_initialFileName.size() + 1);
    }

    OPENFILENAMEA record = {};
    record.lStructSize = sizeof record;
    record.hwndOwner = Owner();
    record.lpstrFilter = filter.size() > 1 ? filter.c_str() : nullptr;
    record.nFilterIndex = 1;
    record.lpstrFile = path.data();
    record.nMaxFile = static_cast<DWORD>(path.size());
    record.lpstrDefExt = m_defExt.empty() ? nullptr : m_defExt.c_str();
    record.Flags = m_flags;

    const orvanta::ClassicFileDialogCalls* calls = orvanta::LoadClassicFileDialogCalls();
    if (calls == nullptr) {
        return IDCANCEL;
    }
    BOOL chosen =
        m_openFileDialog ? calls->getOpenFileName(&record) : calls->getSaveFileName(&record);
    if (chosen) {
        path.back() = '\0';
        m_pathName = path.data();
        return IDOK;
    }
    if (calls->extendedError() == FNERR_BUFFERTOOSMALL) {
        m_pathStatus = PathStatus::TooLong;
        return IDOK;
    }
    return IDCANCEL;
}

void CFileDialog::SetChosenPath(const wchar_t* path) {
    if (orvanta::AnsiFromWide(path, m_pathName) == orvanta::AnsiConversion::NotAnsi) {
        m_pathStatus = PathStatus::NotAnsi;
    }
}
