#pragma once
// SortPageDlg: what the CSV page and the text page share. It holds the controls both pages
// have and the handlers that work alike on both: the input file, the key fields, the options,
// the pickers, dropped files and the four page commands. Each page adds its own controls,
// template, start values and the variant of the value preview it shows.

#include <string>

#include "core/page_settings.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "platform/outcomes.h"
#include "ui/page_colour_rule.h"
#include "ui/page_data.h"

class SortPageDlg : public CDialogEx {
  public:
    CEdit m_editInput;
    CEdit m_editOutput;
    CButton m_radioAscending;
    CButton m_radioDescending;
    CButton m_radioString;
    CButton m_radioNumber;
    CButton m_radioCommaNumber;
    CEdit m_editCommandLine;
    CButton m_radioShiftJis;
    CButton m_radioUtf16Le;
    CButton m_radioCaseSensitive;
    CButton m_radioIgnoreCase;
    CEdit m_editKeyPosition;
    CEdit m_editKeyLength;
    CEdit m_editValuePreview;
    CEdit m_editKeyDefinition;
    CEdit m_editMemory;
    CEdit m_editWorkFolder;
    CStatic m_staticKeyLength;
    CEdit m_editRecordInfo;
    CButton m_radioUtf8;

  protected:
    SortPageDlg(UINT templateId, orvanta::SortPageKind kind);

    // The page's values as its controls show them now, each read with its width.
    orvanta::SortPageSettings Settings() const;
    orvanta::SortPageData& Data() const;

    // The start choices both pages make: ascending string keys, Shift-JIS, case-sensitive, and
    // the display fields' entry limits. Sets no text, so no change handler runs.
    void StartKeyAndOptionChoices();

    // The three display fields, always refreshed in this order.
    void RefreshValuePreview();
    void RefreshKeyDefinition();
    void RefreshCommandPreview();

    void OnEnChangeInputFile();
    void OnEnChangeKeyField();
    void OnOptionChanged();
    void OnBnClickedBrowseInput();
    void OnBnClickedBrowseOutput();
    void OnBnClickedBrowseWorkFolder();
    void OnDropFiles(HDROP drop);
    void AddKey();
    void ClearKeys();
    void CopyCommand();
    void ExecuteCommand();

    // A message box of the page: caption "Orvanta", OK only, no icon.
    void ShowPageMessage(const wchar_t* text);

    // Which colour rule a control of the page follows.
    virtual orvanta::PageControlRole RoleOf(HWND control) const;

  private:
    virtual std::string PreviewValue(const orvanta::SortPageSettings& settings) const = 0;
    virtual void ReadPageOptions(orvanta::SortPageSettings& settings) const;
    // A picked path the page cannot take gets its message; false for any other outcome.
    bool ReportRefusedPath(orvanta::PickOutcome outcome);
    // Builds the full command and copies it; false when the command must not run (too long,
    // or no valid code page 932): a clipboard that refuses it is only reported.
    bool BuildAndCopy();
    void Launch();

    orvanta::SortPageKind m_kind;
    bool m_runPermitted = false;  // CSV: the last copy passed the key test
};
