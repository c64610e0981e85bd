// The start-copy page: the last confirmation before the installation runs.
#pragma once
#include "controls/label_ex.h"
#include "controls/soft_bitmap_button.h"
#include "wizard/page_base.h"

class CPelmStartCopyDlg : public CPelmPage {
public:
    CPelmStartCopyDlg();
    ~CPelmStartCopyDlg() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(UINT id, UINT code) override;

private:
    CLabelEx m_label1032;
    CSoftBitmapButton m_backButton;
    CSoftBitmapButton m_nextButton;
    CSoftBitmapButton m_cancelButton;
    CLabelEx m_link;
};
