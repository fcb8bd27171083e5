#pragma once
// CFileDialog: the open and save file dialogs. Runs the common item dialog and falls back to
// the classic dialog where that cannot be created. Texts in and out are in the ANSI code page.

#include <windows.h>
#include <commdlg.h>
#include <shobjidl.h>

#include <string>
#include <utility>
#include <vector>

class CWnd;

// The extension of a path's last component as the shell finds it (PathFindExtensionA), without
// its period; empty when there is none. "D:\a.b\out" has none, "out." has an empty one.
std::string PathExtensionOf(const char* path);

// The item dialog's options for the classic dialog's OFN_ flags: each flag with an item dialog
// counterpart sets it when present and clears it from `defaults` when absent; the result is
// always a file-system path.
FILEOPENDIALOGOPTIONS ItemDialogOptions(FILEOPENDIALOGOPTIONS defaults, DWORD ofnFlags);

class CFileDialog {
  public:
    // Whether a confirmed choice could be given as an ANSI path.
    enum class PathStatus {
        Whole,    // GetPathName() names the chosen file
        TooLong,  // the classic dialog's path store was too small for it
        NotAnsi,  // the chosen name has characters without an ANSI form
    };

    // `filter` holds label|pattern pairs separated by "|" and ends with "||", e.g.
    // "csv(*.csv)|*.csv||". Without a parent the application's main window owns the dialog.
    CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr,
                const char* lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                const char* lpszFilter = nullptr, CWnd* pParentWnd = nullptr,
                BOOL bVistaStyle = TRUE);
    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // Runs the dialog modally: IDOK when the user chose a file, IDCANCEL otherwise.
    virtual INT_PTR DoModal();

    // The chosen file's full path; empty unless DoModal gave IDOK with a whole path.
    const std::string& GetPathName() const { return m_pathName; }
    std::string GetFileExt() const { return PathExtensionOf(m_pathName.c_str()); }
    PathStatus GetPathStatus() const { return m_pathStatus; }

    // The set-up, as given to the constructor.
    bool IsOpenDialog() const { return m_openFileDialog; }
    const std::string& GetDefExt() const { return m_defExt; }
    const std::string& GetInitialFileName() const { return m_initialFileName; }
    DWORD GetFlags() const { return m_flags; }
    const std::string& GetFilter() const { return m_filter; }
    CWnd* GetParentWnd() const { return m_parent; }
    bool IsVistaStyle() const { return m_vistaStyle; }

    // The filter's label and pattern pairs, split at each "|" that begins a character.
    std::vector<std::pair<std::string, std::string>> FilterEntries() const;

  private:
    // Bytes of the classic dialog's path store, terminator included.
    static constexpr std::size_t kClassicPathBytes = 1024;

    HWND Owner() const;
    // IDOK or IDCANCEL; false when the item dialog could not be created.
    bool RunItemDialog(INT_PTR& result);
    INT_PTR RunClassicDialog();
    void SetChosenPath(const wchar_t* path);

    bool m_openFileDialog;
    std::string m_defExt;
    std::string m_initialFileName;
    DWORD m_flags;
    std::string m_filter;
    CWnd* m_parent;
    bool m_vistaStyle;

    std::string m_pathName;
    PathStatus m_pathStatus = PathStatus::Whole;
};
