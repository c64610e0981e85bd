#include "framework/dialog.h"

#include "framework/win_app.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() = default;

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    // From here on the dialog's messages go through the object's WindowProc;
    // its DefWindowProc is the dialog manager, which calls back into this
    // procedure and gets FALSE ("not handled") for everything but this message.
    auto* self = reinterpret_cast<CDialog*>(lParam);
    self->BindHandle(window);
    self->InstallProcedure();
    return self->WindowProc(WM_INITDIALOG, wParam, lParam);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}

INT_PTR CDialog::DoModal() {
    HWND owner = m_parent && m_parent->m_hWnd ? ::GetAncestor(m_parent->m_hWnd, GA_ROOT) : nullptr;
    m_ended = FALSE;
    m_result = IDCANCEL;
    HWND window = ::CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(m_templateId), owner,
                                       &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (!window) return -1;

    const bool disabledOwner = owner && ::IsWindowEnabled(owner);
    if (disabledOwner) ::EnableWindow(owner, FALSE);
    if (!m_ended && m_hWnd && !::IsWindowVisible(m_hWnd)) ::ShowWindow(m_hWnd, SW_SHOW);

    bool quit = false;
    WPARAM quitCode = 0;
    m_inModalLoop = TRUE;
    while (!m_ended && m_hWnd) {
        MSG message;
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            quit = true;
            quitCode = message.wParam;
            m_result = IDCANCEL;
            break;
        }
        if (!RunPreTranslate(&message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    m_inModalLoop = FALSE;

    // Enable the owner before the dialog goes, so that activation returns to it.
    if (disabledOwner) ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        ::DestroyWindow(m_hWnd);
    }
    if (owner && disabledOwner) ::SetActiveWindow(owner);
    if (quit) ::PostQuitMessage(static_cast<int>(quitCode));
    return m_result;
}

BOOL CDialog::RunPreTranslate(MSG* message) {
    if (!message->hwnd || !m_hWnd) return FALSE;
    if (message->hwnd != m_hWnd && !::IsChild(m_hWnd, message->hwnd)) return FALSE;
    return WalkPreTranslateTree(m_hWnd, message);
}

BOOL CDialog::PreTranslateMessage(MSG* message) {
    return m_hWnd && ::IsDialogMessageW(m_hWnd, message);
}

void CDialog::EndDialog(INT_PTR result) {
    m_result = result;
    m_ended = TRUE;
    // Wake the modal loop if it is waiting for a message.
    if (m_hWnd) ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnCommand(UINT id, UINT) {
    switch (id) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return !exchange.m_failed;
}

void DDX_Text(CDataExchange* dx, int id, std::wstring& value) {
    HWND item = dx->m_dialog->GetDlgItem(id);
    if (!item) {
        dx->m_failed = TRUE;
        return;
    }
    if (dx->m_saveAndValidate) {
        value = dx->m_dialog->GetDlgItemText(id);
    } else {
        ::SetWindowTextW(item, value.c_str());
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    HWND item = dx->m_dialog->GetDlgItem(id);
    if (!item) {
        dx->m_failed = TRUE;
        return;
    }
    if (dx->m_saveAndValidate) {
        value = static_cast<int>(::SendMessageW(item, BM_GETCHECK, 0, 0));
    } else {
        ::SendMessageW(item, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd) return;
    if (!control.SubclassDlgItem(static_cast<UINT>(id), dx->m_dialog)) dx->m_failed = TRUE;
}
