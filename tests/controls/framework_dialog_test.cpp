// The modal dialog and window layer: results, keyboard, data exchange,
// command routing, reflection to control objects, the pre-translation hook,
// owner disabling and WM_QUIT during a modal loop.
#include <gtest/gtest.h>

#include "framework/button.h"
#include "framework/dialog.h"
#include "tests/controls/drawing_fixture.h"

namespace {
constexpr UINT kPlainDialog = 200;
constexpr int kEdit = 100;
constexpr int kReflectButton = 101;

class ExchangeDialog : public CDialog {
public:
    using CDialog::CDialog;
    std::wstring m_text = L"initial";
    int m_okCalls = 0;
    int m_cancelCalls = 0;
    std::vector<UINT> m_commands;

    void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, kEdit, m_text); }
    void OnOK() override {
        ++m_okCalls;
        CDialog::OnOK();
    }
    void OnCancel() override {
        ++m_cancelCalls;
        CDialog::OnCancel();
    }
    BOOL OnCommand(UINT id, UINT code) override {
        m_commands.push_back(id);
        return CDialog::OnCommand(id, code);
    }
};
using Scripted = ScriptedDialog<ExchangeDialog>;

TEST(ModalDialog, EnterSendsOkAndDataExchangeReadsTheEditBack) {
    Scripted dialog(kPlainDialog);
    dialog.m_text = L"hello";
    std::wstring shownAtInit;
    dialog.onInit = [&](Scripted& d) { shownAtInit = d.GetDlgItemText(kEdit); };
    dialog.keepRunning = true;
    dialog.body = [](Scripted& d) {
        d.SetDlgItemText(kEdit, L"changed");
        ::PostMessageW(d.GetDlgItem(kEdit), WM_KEYDOWN, VK_RETURN, 0);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(L"hello", shownAtInit);
    EXPECT_EQ(1, dialog.m_okCalls);
    EXPECT_EQ(L"changed", dialog.m_text);
    EXPECT_EQ(nullptr, dialog.m_hWnd) << "the window outlived DoModal";
}

TEST(ModalDialog, EscapeAndCloseCancel) {
    for (bool useClose : {false, true}) {
        Scripted dialog(kPlainDialog);
        dialog.keepRunning = true;
        dialog.body = [useClose](Scripted& d) {
            if (useClose) d.PostMessage(WM_CLOSE);
            else ::PostMessageW(d.GetDlgItem(kEdit), WM_KEYDOWN, VK_ESCAPE, 0);
        };
        EXPECT_EQ(IDCANCEL, dialog.DoModal()) << (useClose ? "close" : "escape");
        EXPECT_EQ(1, dialog.m_cancelCalls);
        EXPECT_EQ(L"initial", dialog.m_text) << "cancel must not read the controls back";
    }
}

TEST(ModalDialog, EndDialogDuringInitialisationReturnsItsValue) {
    Scripted dialog(kPlainDialog);
    dialog.onInit = [](Scripted& d) { d.EndDialog(1017); };
    dialog.body = [](Scripted& d) { d.EndDialog(5); };
    EXPECT_EQ(1017, dialog.DoModal());
}

TEST(ModalDialog, MissingTemplateReturnsMinusOne) {
    ExchangeDialog dialog(4711);
    EXPECT_EQ(-1, dialog.DoModal());
}

TEST(ModalDialog, QuitMessageEndsTheDialogAndIsPostedAgain) {
    Scripted dialog(kPlainDialog);
    dialog.keepRunning = true;
    dialog.body = [](Scripted&) { ::PostQuitMessage(7); };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    MSG message{};
    ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, message.wParam);
}

TEST(ModalDialog, OwnerIsDisabledWhileANestedDialogRuns) {
    Scripted outer(kPlainDialog);
    BOOL ownerEnabledInside = TRUE;
    INT_PTR innerResult = 0;
    BOOL ownerEnabledAfter = FALSE;
    outer.body = [&](Scripted& o) {
        Scripted inner(kPlainDialog, &o);
        inner.body = [&](Scripted&) { ownerEnabledInside = ::IsWindowEnabled(o.m_hWnd); };
        innerResult = inner.DoModal();
        ownerEnabledAfter = ::IsWindowEnabled(o.m_hWnd);
    };
    EXPECT_EQ(IDOK, outer.DoModal());
    EXPECT_EQ(IDOK, innerResult);
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_TRUE(ownerEnabledAfter);
}

class ClickSpy : public CButton {
public:
    BOOL m_consume = FALSE;
    int m_clicks = 0;
    int m_preTranslated = 0;
    bool m_presubclassed = false;

protected:
    void PreSubclassWindow() override { m_presubclassed = true; }
    BOOL OnClicked() override {
        ++m_clicks;
        return m_consume;
    }
    BOOL PreTranslateMessage(MSG* message) override {
        if (message->message == WM_KEYDOWN) ++m_preTranslated;
        return CButton::PreTranslateMessage(message);
    }
};

class ReflectionDialog : public ExchangeDialog {
public:
    using ExchangeDialog::ExchangeDialog;
    ClickSpy m_button;
    void DoDataExchange(CDataExchange* dx) override {
        ExchangeDialog::DoDataExchange(dx);
        DDX_Control(dx, kReflectButton, m_button);
    }
};

TEST(Reflection, ClickReachesTheControlAndTheParentUnlessConsumed) {
    for (BOOL consume : {FALSE, TRUE}) {
        ScriptedDialog<ReflectionDialog> dialog(kPlainDialog);
        dialog.m_button.m_consume = consume;
        dialog.body = [](auto& d) { ::SendMessageW(d.m_button.m_hWnd, BM_CLICK, 0, 0); };
        EXPECT_EQ(IDOK, dialog.DoModal());
        EXPECT_TRUE(dialog.m_button.m_presubclassed) << "binding did not run PreSubclassWindow";
        EXPECT_EQ(1, dialog.m_button.m_clicks);
        const bool parentSaw = std::count(dialog.m_commands.begin(), dialog.m_commands.end(), kReflectButton) == 1;
        EXPECT_EQ(!consume, parentSaw) << "consume=" << consume;
    }
}

TEST(Reflection, ModalLoopOffersControlMessagesToTheirObjects) {
    ScriptedDialog<ReflectionDialog> dialog(kPlainDialog);
    dialog.keepRunning = true;
    dialog.body = [](auto& d) {
        ::PostMessageW(d.m_button.m_hWnd, WM_KEYDOWN, 'A', 0);
        ::PostMessageW(d.m_button.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(2, dialog.m_button.m_preTranslated);
}

TEST(Reflection, DrawItemGoesToTheOwnerDrawnControl) {
    class Drawn : public CButton {
    public:
        int m_draws = 0;

    protected:
        void DrawItem(DRAWITEMSTRUCT*) override { ++m_draws; }
    };
    TestHost host(50, 50, 200, 100);
    Drawn button;
    ASSERT_TRUE(button.Create(L"x", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{0, 0, 80, 30}, &host, 5));
    button.Invalidate();
    button.UpdateWindow();
    EXPECT_GE(button.m_draws, 1);
}

TEST(WindowBinding, DestroyingTheWindowUnbindsTheObject) {
    TestHost host(50, 50, 200, 100);
    CButton button;
    ASSERT_TRUE(button.Create(L"x", WS_CHILD | WS_VISIBLE, RECT{0, 0, 80, 30}, &host, 5));
    HWND window = button.m_hWnd;
    EXPECT_EQ(&button, CWnd::FromHandle(window));
    ::DestroyWindow(window);
    EXPECT_EQ(nullptr, button.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandle(window));
    EXPECT_FALSE(button.SubclassWindow(nullptr));
}
}  // namespace

namespace {
class TimerDialog : public CDialog {
public:
    using CDialog::CDialog;
    int m_ticks = 0;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SetTimer(1, 10);
        return TRUE;
    }
    void OnTimer(UINT_PTR id) override {
        if (id != 1) return CDialog::OnTimer(id);
        if (++m_ticks == 3) {
            KillTimer(1);
            EndDialog(1001);
        }
    }
};

TEST(ModalDialog, TimersReachOnTimer) {
    TimerDialog dialog(kPlainDialog);
    EXPECT_EQ(1001, dialog.DoModal());
    EXPECT_EQ(3, dialog.m_ticks);
}

class MissingControlDialog : public ExchangeDialog {
public:
    using ExchangeDialog::ExchangeDialog;
    std::wstring m_other;
    void DoDataExchange(CDataExchange* dx) override {
        ExchangeDialog::DoDataExchange(dx);
        DDX_Text(dx, 999, m_other);
    }
};

TEST(ModalDialog, ExchangeWithAMissingControlFailsAndOkDoesNotEnd) {
    ScriptedDialog<MissingControlDialog> dialog(kPlainDialog);
    BOOL exchanged = TRUE;
    dialog.keepRunning = true;
    dialog.body = [&](auto& d) {
        exchanged = d.UpdateData(TRUE);
        d.SendMessage(WM_COMMAND, IDOK);
        d.EndDialog(42);
    };
    EXPECT_EQ(42, dialog.DoModal());
    EXPECT_FALSE(exchanged);
    EXPECT_EQ(1, dialog.m_okCalls);
}
}  // namespace
