#include "ui/tab_csv_dlg.h"

#include <string>

#include "core/delimiter.h"
#include "core/key_preview.h"
#include "core/os/os.h"
#include "core/page_settings.h"
#include "res/resource.h"
#include "ui/cc_button.h"
#include "ui/page_data.h"
#include "ui/page_entry_limits.h"

namespace {

orvanta::PageBrushes csvPageBrushes;
CCButton csvAddKeyButton;
CCButton csvExecuteButton;

}  // namespace

BEGIN_MESSAGE_MAP(TabCsvDlg, SortPageDlg)
ON_BN_CLICKED(IDC_BUTTON_EXECUTE, ExecuteCommand)
ON_BN_CLICKED(IDC_BUTTON_CLEAR_KEYS, ClearKeys)
ON_WM_DROPFILES()
ON_WM_CTLCOLOR()
ON_BN_CLICKED(IDC_BUTTON_BROWSE_INPUT, OnBnClickedBrowseInput)
ON_BN_CLICKED(IDC_BUTTON_BROWSE_OUTPUT, OnBnClickedBrowseOutput)
ON_BN_CLICKED(IDC_BUTTON_ADD_KEY, AddKey)
ON_BN_CLICKED(IDC_BUTTON_COPY, CopyCommand)
ON_EN_CHANGE(IDC_EDIT_INPUT, OnEnChangeInputFile)
ON_EN_CHANGE(IDC_CSV_EDIT_DELIMITER_HEX, OnEnChangeDelimiterHex)
ON_EN_CHANGE(IDC_CSV_EDIT_DELIMITER_CHAR, OnEnChangeDelimiterChar)
ON_WM_TIMER()
ON_EN_CHANGE(IDC_EDIT_KEY_POSITION, OnEnChangeKeyField)
ON_EN_CHANGE(IDC_EDIT_KEY_LENGTH, OnEnChangeKeyField)
ON_EN_CHANGE(IDC_EDIT_OUTPUT, OnOptionChanged)
ON_BN_CLICKED(IDC_RADIO_ASCENDING, OnBnClickedOrder)
ON_BN_CLICKED(IDC_RADIO_DESCENDING, OnBnClickedOrder)
ON_BN_CLICKED(IDC_RADIO_STRING, OnBnClickedStringType)
ON_BN_CLICKED(IDC_RADIO_NUMBER, OnBnClickedNumberType)
ON_BN_CLICKED(IDC_RADIO_COMMA_NUMBER, OnBnClickedNumberType)
ON_BN_CLICKED(IDC_CSV_RADIO_SHIFT_JIS, OnOptionChanged)
ON_BN_CLICKED(IDC_CSV_RADIO_UTF16LE, OnOptionChanged)
ON_BN_CLICKED(IDC_CSV_RADIO_UTF8, OnOptionChanged)
ON_BN_CLICKED(IDC_CSV_RADIO_CASE_SENSITIVE, OnOptionChanged)
ON_BN_CLICKED(IDC_CSV_RADIO_CASE_IGNORE, OnOptionChanged)
ON_EN_CHANGE(IDC_EDIT_MEMORY, OnOptionChanged)
ON_EN_CHANGE(IDC_EDIT_WORK_FOLDER, OnOptionChanged)
ON_BN_CLICKED(IDC_BUTTON_BROWSE_WORK_FOLDER, OnBnClickedBrowseWorkFolder)
END_MESSAGE_MAP()

TabCsvDlg::TabCsvDlg() : SortPageDlg(IDD_TAB_CSV, orvanta::SortPageKind::Csv) {}

void TabCsvDlg::DoDataExchange(CDataExchange* pDX) {
    SortPageDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EDIT_INPUT, m_editInput);
    DDX_Control(pDX, IDC_EDIT_OUTPUT, m_editOutput);
    DDX_Control(pDX, IDC_EDIT_KEY_POSITION, m_editKeyPosition);
    DDX_Control(pDX, IDC_EDIT_KEY_LENGTH, m_editKeyLength);
    DDX_Control(pDX, IDC_RADIO_ASCENDING, m_radioAscending);
    DDX_Control(pDX, IDC_RADIO_DESCENDING, m_radioDescending);
    DDX_Control(pDX, IDC_RADIO_STRING, m_radioString);
    DDX_Control(pDX, IDC_RADIO_NUMBER, m_radioNumber);
    DDX_Control(pDX, IDC_RADIO_COMMA_NUMBER, m_radioCommaNumber);
    DDX_Control(pDX, IDC_EDIT_VALUE_PREVIEW, m_editValuePreview);
    DDX_Control(pDX, IDC_EDIT_KEY_DEFINITION, m_editKeyDefinition);
    DDX_Control(pDX, IDC_CSV_RADIO_SHIFT_JIS, m_radioShiftJis);
    DDX_Control(pDX, IDC_CSV_RADIO_UTF16LE, m_radioUtf16Le);
    DDX_Control(pDX, IDC_CSV_RADIO_CASE_SENSITIVE, m_radioCaseSensitive);
    DDX_Control(pDX, IDC_CSV_RADIO_CASE_IGNORE, m_radioIgnoreCase);
    DDX_Control(pDX, IDC_EDIT_MEMORY, m_editMemory);
    DDX_Control(pDX, IDC_EDIT_WORK_FOLDER, m_editWorkFolder);
    DDX_Control(pDX, IDC_CSV_EDIT_DELIMITER_HEX, m_editDelimiterHex);
    DDX_Control(pDX, IDC_CSV_EDIT_DELIMITER_CHAR, m_editDelimiterChar);
    DDX_Control(pDX, IDC_EDIT_COMMAND_LINE, m_editCommandLine);
    DDX_Control(pDX, IDC_LABEL_KEY_LENGTH, m_staticKeyLength);
    DDX_Control(pDX, IDC_EDIT_RECORD_INFO, m_editRecordInfo);
    DDX_Control(pDX, IDC_CSV_RADIO_UTF8, m_radioUtf8);
}

BOOL TabCsvDlg::OnInitDialog() {
    using namespace orvanta;
    SortPageDlg::OnInitDialog();

    m_editInput.SetLimitText(kPathEntryLimit);
    m_editOutput.SetLimitText(kPathEntryLimit);
    m_editKeyPosition.SetLimitText(kKeyFieldEntryLimit);
    m_editKeyLength.SetLimitText(kKeyFieldEntryLimit);
    m_editKeyLength.SetWindowText("32");

    StartKeyAndOptionChoices();

    m_editMemory.SetLimitText(kMemoryEntryLimit);
    m_editWorkFolder.SetLimitText(kPathEntryLimit);
    m_editWorkFolder.SetWindowText(os::EnvironmentValue("TEMP").c_str());

    m_editDelimiterHex.SetLimitText(kDelimiterHexEntryLimit);
    m_editDelimiterHex.SetWindowText("2C");
    m_editDelimiterChar.SetLimitText(kDelimiterCharEntryLimit);

    m_editCommandLine.SetLimitText(kCommandLineEntryLimit);
    m_editCommandLine.SetWindowText(std::string(kCsvEngineName).c_str());

    CsvPageData().ResetForPageStart();

    SetUpCommandButton(csvAddKeyButton, *this, IDC_BUTTON_ADD_KEY, kDarkGreen);
    SetUpCommandButton(csvExecuteButton, *this, IDC_BUTTON_EXECUTE, kNavy);
    return TRUE;
}

orvanta::PageControlRole TabCsvDlg::RoleOf(HWND control) const {
    if (orvanta::IsAnyOf(control, {&m_editDelimiterHex, &m_editDelimiterChar})) {
        return orvanta::PageControlRole::EditableField;
    }
    return SortPageDlg::RoleOf(control);
}

HBRUSH TabCsvDlg::OnCtlColor(HDC dc, HWND control, UINT kind) {
    const HBRUSH brush = orvanta::AnswerPageColour(csvPageBrushes, dc, ::GetDlgCtrlID(control),
                                                   RoleOf(control), kind);
    return brush != nullptr ? brush : CDialogEx::OnCtlColor(dc, control, kind);
}

std::string TabCsvDlg::PreviewValue(const orvanta::SortPageSettings& settings) const {
    return orvanta::PreviewCsvKeyValue(settings.keyPosition.view(), settings.keyLength.view(),
                                       orvanta::CsvPageData().sample, orvanta::DelimiterByte);
}

void TabCsvDlg::ReadPageOptions(orvanta::SortPageSettings& settings) const {
    char hex[orvanta::kPathReadWidth + 1] = {};
    m_editDelimiterHex.GetWindowText(hex);
    settings.delimiterHex = hex;
}

void TabCsvDlg::OnBnClickedOrder() {
    RefreshKeyDefinition();
}

void TabCsvDlg::OnBnClickedStringType() {
    m_staticKeyLength.ShowWindow(SW_SHOW);
    m_editKeyLength.SetWindowText("32");
    m_editKeyLength.ShowWindow(SW_SHOW);
    RefreshKeyDefinition();
}

void TabCsvDlg::OnBnClickedNumberType() {
    m_staticKeyLength.ShowWindow(SW_HIDE);
    m_editKeyLength.SetWindowText("");
    m_editKeyLength.ShowWindow(SW_HIDE);
    RefreshKeyDefinition();
}
