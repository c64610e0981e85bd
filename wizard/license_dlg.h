// The licence-agreement page: License.rtf beside the program, accept or decline.
#pragma once
#include <string>

#include "controls/label_ex.h"
#include "controls/shade_button_st.h"
#include "controls/soft_bitmap_button.h"
#include "wizard/page_base.h"

class CPelmLicenseDlg : public CPelmPage {
public:
    CPelmLicenseDlg();
    ~CPelmLicenseDlg() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(UINT id, UINT code) override;
    void OnPaint() override;

private:
    void ShowAgreementChoice();

    CShadeButtonST m_accept;
    CShadeButtonST m_decline;
    int m_firstPaint = 1;
    CLabelEx m_label1032;
    CSoftBitmapButton m_backButton;
    CSoftBitmapButton m_nextButton;
    CSoftBitmapButton m_cancelButton;
    CLabelEx m_link;
};

// Streams the file at `path` into the rich-text control `richEdit` as RTF, in
// one operation from a memory copy. Nothing is shown when the file is missing,
// unreadable or too large; returns whether the text was streamed.
bool LoadAgreementText(HWND richEdit, const std::wstring& path);
