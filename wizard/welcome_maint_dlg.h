// The maintenance page: Modify, Repair or Remove the installed product.
#pragma once
#include "controls/label_ex.h"
#include "controls/shade_button_st.h"
#include "controls/soft_bitmap_button.h"
#include "wizard/page_base.h"

class CPelmWelcomeMaintDlg : public CPelmPage {
public:
    CPelmWelcomeMaintDlg();
    ~CPelmWelcomeMaintDlg() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(UINT id, UINT code) override;
    void OnPaint() override;

private:
    void ShowMode();
    void OnNext();

    CShadeButtonST m_modify;
    CShadeButtonST m_repair;
    CShadeButtonST m_remove;
    CLabelEx m_label1032;
    CSoftBitmapButton m_backButton;
    CSoftBitmapButton m_nextButton;
    CSoftBitmapButton m_cancelButton;
};

// Modify and Repair start from what is installed: the feature choices and the
// workspace choice of the Setup.ini in the product folder, when it exists.
void ReloadInstalledChoices(const std::wstring& installedSetupIni);
