// What every wizard page shares: the page icon, the background, Enter that
// ends nothing, the common control colours, the link label, the radio-like
// choice icons, the question box, and centring once the page is set up.
#pragma once
#include <windows.h>
#include <string>

#include "controls/bitmap_dialog.h"
#include "controls/button_st.h"
#include "controls/label_ex.h"
#include "framework/handles.h"

class CPelmPage : public CBitmapDialog {
public:
    explicit CPelmPage(UINT templateId);
    ~CPelmPage() override;

    HICON PageIcon() const { return m_pageIcon.get(); }

protected:
    // Base initialisation, small icon and background, in that order.
    void InitPage(UINT backgroundId);
    // White text on the page picture for statics; the rest as the base colours it.
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind) override;
    // Enter (IDOK) ends no page: the flows have no row for it, and on the
    // copy-files page it must not end the page while the install thread runs.
    void OnOK() override {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void MakeTopmost();
    // The page's own Yes/No question: caption ProductName, information icon,
    // system-modal, foreground and topmost. Returns the button chosen.
    int AskQuestion(const std::wstring& text);

    // Pages that keep the base dialog's colours (the Welcome page) clear this.
    bool m_commonControlColours = true;

    unique_hicon m_pageIcon;
};

// White link text and the link cursor: the library's cursor 136 when it has
// one, else the label's own hand cursor.
void SetUpLinkLabel(CLabelEx& label);
// White choice text for both states, repainted.
void SetUpChoiceButton(CButtonST& button);
// Shows a choice button as chosen (icon 138) or not (137); the feature
// buttons use 131 and 132.
void ShowChoice(CButtonST& button, bool chosen);
void ShowFeatureChoice(CButtonST& button, bool chosen);
// Icon `id` of the resource library at its natural size (the caller owns it).
HICON LoadLibraryIcon(int id);

// The requirement page over `page`: titled with the link's text, as large as
// the page's client area.
void ShowRequirementPage(CWnd& page, CWnd& linkLabel);
