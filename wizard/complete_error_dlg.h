// The error page: ends every run that did not complete.
#pragma once
#include "controls/label_ex.h"
#include "controls/soft_bitmap_button.h"
#include "wizard/page_base.h"

class CPelmCompleteErrorDlg : public CPelmPage {
public:
    CPelmCompleteErrorDlg();
    ~CPelmCompleteErrorDlg() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(UINT id, UINT code) override;

private:
    CSoftBitmapButton m_finishButton;
    CLabelEx m_label1032;
};
