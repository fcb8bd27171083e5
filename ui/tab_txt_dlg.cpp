#include "ui/tab_txt_dlg.h"

#include <string>

#include "core/key_preview.h"
#include "core/os/os.h"
#include "core/page_settings.h"
#include "res/resource.h"
#include "ui/cc_button.h"
#include "ui/page_data.h"
#include "ui/page_entry_limits.h"

namespace {
orvanta::PageBrushes textPageBrushes;
CCButton textAddKeyButton;
CCButton textExecuteButton;
}  // namespace

BEGIN_MESSAGE_MAP(TabTxtDlg, SortPageDlg)
ON_BN_CLICKED(IDC_BUTTON_EXECUTE, ExecuteCommand)
ON_BN_CLICKED(IDC_BUTTON_CLEAR_KEYS, ClearKeys)
ON_WM_DROPFILES()
ON_WM_CTLCOLOR()
ON_BN_CLICKED(IDC_BUTTON_BROWSE_INPUT, OnBnClickedBrowseInput)
ON_BN_CLICKED(IDC_BUTTON_BROWSE_OUTPUT, OnBnClickedBrowseOutput)
ON_BN_CLICKED(IDC_BUTTON_ADD_KEY, AddKey)
ON_BN_CLICKED(IDC_BUTTON_COPY, CopyCommand)
ON_EN_CHANGE(IDC_EDIT_INPUT, OnEnChangeInputFile)
ON_EN_CHANGE(IDC_EDIT_KEY_POSITION, OnEnChangeKeyField)
ON_EN_CHANGE(IDC_EDIT_KEY_LENGTH, OnEnChangeKeyField)
ON_EN_CHANGE(IDC_EDIT_OUTPUT, OnOptionChanged)
ON_BN_CLICKED(IDC_RADIO_ASCENDING, OnBnClickedKeyRadio)
ON_BN_CLICKED(IDC_RADIO_DESCENDING, OnBnClickedKeyRadio)
ON_BN_CLICKED(IDC_RADIO_STRING, OnBnClickedKeyRadio)
ON_BN_CLICKED(IDC_RADIO_NUMBER, OnBnClickedKeyRadio)
ON_BN_CLICKED(IDC_RADIO_COMMA_NUMBER, OnBnClickedKeyRadio)
ON_BN_CLICKED(IDC_TXT_RADIO_SHIFT_JIS, OnOptionChanged)
ON_BN_CLICKED(IDC_TXT_RADIO_UTF16LE, OnOptionChanged)
ON_BN_CLICKED(IDC_TXT_RADIO_UTF8, OnOptionChanged)
ON_BN_CLICKED(IDC_TXT_RADIO_CASE_SENSITIVE, OnOptionChanged)
ON_BN_CLICKED(IDC_TXT_RADIO_CASE_IGNORE, OnOptionChanged)
ON_EN_CHANGE(IDC_EDIT_MEMORY, OnOptionChanged)
ON_EN_CHANGE(IDC_EDIT_WORK_FOLDER, OnOptionChanged)
ON_BN_CLICKED(IDC_BUTTON_BROWSE_WORK_FOLDER, OnBnClickedBrowseWorkFolder)
END_MESSAGE_MAP()

TabTxtDlg::TabTxtDlg() : SortPageDlg(IDD_TAB_TXT, orvanta::SortPageKind::Text) {}

void TabTxtDlg::DoDataExchange(CDataExchange* pDX) {
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
    DDX_Control(pDX, IDC_TXT_RADIO_SHIFT_JIS, m_radioShiftJis);
    DDX_Control(pDX, IDC_TXT_RADIO_UTF16LE, m_radioUtf16Le);
    DDX_Control(pDX, IDC_TXT_RADIO_CASE_SENSITIVE, m_radioCaseSensitive);
    DDX_Control(pDX, IDC_TXT_RADIO_CASE_IGNORE, m_radioIgnoreCase);
    DDX_Control(pDX, IDC_EDIT_MEMORY, m_editMemory);
    DDX_Control(pDX, IDC_EDIT_WORK_FOLDER, m_editWorkFolder);
    DDX_Control(pDX, IDC_EDIT_COMMAND_LINE, m_editCommandLine);
    DDX_Control(pDX, IDC_LABEL_KEY_LENGTH, m_staticKeyLength);
    DDX_Control(pDX, IDC_EDIT_RECORD_INFO, m_editRecordInfo);
    DDX_Control(pDX, IDC_TXT_RADIO_UTF8, m_radioUtf8);
}

BOOL TabTxtDlg::OnInitDialog() {
    using namespace orvanta;
    SortPageDlg::OnInitDialog();

    // The key length starts empty on this page.
    m_editInput.SetLimitText(kPathEntryLimit);
    m_editOutput.SetLimitText(kPathEntryLimit);
    m_editKeyPosition.SetLimitText(kKeyFieldEntryLimit);
    m_editKeyLength.SetLimitText(kKeyFieldEntryLimit);

    StartKeyAndOptionChoices();

    m_editMemory.SetLimitText(kMemoryEntryLimit);
    m_editWorkFolder.SetLimitText(kPathEntryLimit);
    m_editWorkFolder.SetWindowText(os::EnvironmentValue("TEMP").c_str());

    m_editCommandLine.SetLimitText(kCommandLineEntryLimit);
    m_editCommandLine.SetWindowText(std::string(kTextEngineName).c_str());

    TextPageData().ResetForPageStart();

    SetUpCommandButton(textAddKeyButton, *this, IDC_BUTTON_ADD_KEY, kDarkGreen);
    SetUpCommandButton(textExecuteButton, *this, IDC_BUTTON_EXECUTE, kNavy);
    return TRUE;
}

HBRUSH TabTxtDlg::OnCtlColor(HDC dc, HWND control, UINT kind) {
    const HBRUSH brush = orvanta::AnswerPageColour(textPageBrushes, dc, ::GetDlgCtrlID(control),
                                                   RoleOf(control), kind);
    return brush != nullptr ? brush : CDialogEx::OnCtlColor(dc, control, kind);
}

std::string TabTxtDlg::PreviewValue(const orvanta::SortPageSettings& settings) const {
    return orvanta::PreviewTextKeyValue(settings.keyPosition.view(), settings.keyLength.view(),
                                        orvanta::TextPageData().sample);
}

void TabTxtDlg::OnBnClickedKeyRadio() {
    RefreshKeyDefinition();
}
