#pragma once
// CDialogEx: a dialog built from a template in the executable's resources.
//
// DoModal runs it as a modal dialog; Create makes it a modeless dialog, e.g. a child page of a
// tab control. One static dialog procedure finds the object (passed at creation, attached on
// WM_INITDIALOG) and hands each message to its message map; what the map does not handle goes
// to the dialog manager's default processing. OnInitDialog binds the controls through
// DoDataExchange. IDOK and IDCANCEL run OnOK and OnCancel unless a derived map handles them.
//
// The modal loop is the framework's own: every keyboard message first passes the
// PreTranslateMessage of the framework's windows from the focused control up to the modal
// dialog, so a child dialog handles the keys typed into its own controls (Tab, Enter, Escape)
// as a dialog of its own.

#include <windows.h>

#include "framework/wnd.h"

class CDataExchange {
  public:
    explicit CDataExchange(CWnd* dialog) : m_pDlgWnd(dialog) {}
    CWnd* m_pDlgWnd;
};

// Binds `control` to the dialog's child `id`, once.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

class CDialogEx : public CWnd {
  public:
    explicit CDialogEx(UINT templateId, CWnd* parent = nullptr);
    ~CDialogEx() override;

    // Runs the dialog modally and returns the value given to EndDialog, or -1 when the window
    // could not be created.
    INT_PTR DoModal();
    // Creates the dialog as a modeless window of `parent` (a child window when the template
    // says WS_CHILD).
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Ends the modal loop of a dialog run by DoModal; does nothing for a modeless dialog.
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();

    bool PreTranslateMessage(MSG* message) override;

  protected:
    DECLARE_MESSAGE_MAP()

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND ModalOwner() const;

    UINT m_templateId;
    CWnd* m_pParentWnd;
    bool m_modalRunning = false;
    INT_PTR m_modalResult = -1;
};

namespace orvanta {

// Passes a keyboard message through the PreTranslateMessage of the framework's windows from
// its target up to `stop` (or the first window that is not a child); true when one handled it.
bool PreTranslateInput(MSG* message, HWND stop);
// One round of the modal loop for a message already taken from the queue.
void ProcessMessage(MSG* message, HWND stop);

}  // namespace orvanta
