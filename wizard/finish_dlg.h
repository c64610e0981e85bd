// The finish page: after a new installation it offers the workspace choice
// and applies it when it closes.
#pragma once
#include "controls/label_ex.h"
#include "controls/shade_button_st.h"
#include "controls/soft_bitmap_button.h"
#include "framework/gdi.h"
#include "wizard/page_base.h"

class CPelmFinishDlg : public CPelmPage {
public:
    CPelmFinishDlg();
    ~CPelmFinishDlg() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(UINT id, UINT code) override;
    void OnPaint() override;
    void OnDestroy() override;

private:
    void ShowWorkspaceChoice();

    CShadeButtonST m_classicOff;
    CShadeButtonST m_classicOn;
    CLabelEx m_label1032;
    CSoftBitmapButton m_finishButton;
    CFont m_choiceFont;
};

// Runs the product's configuration tool with the workspace choice and, when
// it ran, records the choice as key CLASSIC of the installed Setup.ini.
void ApplyWorkspaceChoice();
