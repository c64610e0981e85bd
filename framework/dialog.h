// CDialog: a modal dialog from a template of the current resource module.
//
//   CPage page;                    // CPage : CDialog(templateId)
//   INT_PTR result = page.DoModal();   // the value passed to EndDialog
//
// DoModal creates the dialog, disables the owner (the top-level window of the
// parent given to the constructor, if any) and runs its own message loop until
// EndDialog() is called or the window is destroyed. The loop hands every
// message addressed to the dialog or one of its controls to
// PreTranslateMessage() of the bound objects from the target upwards (controls
// use it, e.g. for tool tips) and then to the dialog's keyboard handling, so
// Enter and Escape send IDOK and IDCANCEL as in any dialog.
// A WM_QUIT that arrives while the dialog runs ends the dialog with IDCANCEL
// and is posted again once the loop has ended, so outer loops end as well.
// DoModal returns -1 when the template cannot be loaded.
//
// Commands: override OnCommand(id, code) with a switch and return the base
// version for ids you do not handle; the base version maps IDOK to OnOK() and
// IDCANCEL (Cancel button, Escape, window close) to OnCancel().
//
// Data exchange: override DoDataExchange() and call DDX_Text / DDX_Check /
// DDX_Control for the controls; UpdateData(FALSE) fills the controls (the base
// OnInitDialog does it), UpdateData(TRUE) reads them back (the base OnOK does it).
#pragma once
#include <windows.h>
#include <string>

#include "framework/wnd.h"

class CDialog;

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, BOOL saveAndValidate) : m_dialog(dialog), m_saveAndValidate(saveAndValidate) {}
    CDialog* m_dialog;
    BOOL m_saveAndValidate;   // TRUE: controls -> members; FALSE: members -> controls
    BOOL m_failed = FALSE;    // set when a control id does not exist in the dialog
};

// Edit (or any window) text <-> string.
void DDX_Text(CDataExchange* dx, int id, std::wstring& value);
// Button check state (BST_UNCHECKED / BST_CHECKED / BST_INDETERMINATE) <-> int.
void DDX_Check(CDataExchange* dx, int id, int& value);
// Binds `control` to the dialog item the first time (subclassing it, so its
// PreSubclassWindow runs); later exchanges leave the binding alone.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    // Ends the modal loop with `result`; the window is destroyed by DoModal.
    void EndDialog(INT_PTR result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}
    // FALSE when an exchange failed (a missing control).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    BOOL OnCommand(UINT id, UINT code) override;
    BOOL PreTranslateMessage(MSG* message) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT TemplateId() const { return m_templateId; }
    CWnd* ParentWindow() const { return m_parent; }
    BOOL IsModalLoopRunning() const { return m_inModalLoop; }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL RunPreTranslate(MSG* message);

    UINT m_templateId;
    CWnd* m_parent;
    INT_PTR m_result = IDCANCEL;
    BOOL m_ended = FALSE;
    BOOL m_inModalLoop = FALSE;
};
