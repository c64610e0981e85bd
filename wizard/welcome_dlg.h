// The Welcome page: the installation folder, the side trip to the features, Next.
#pragma once
#include <string>

#include "controls/label_ex.h"
#include "controls/shade_button_st.h"
#include "controls/soft_bitmap_button.h"
#include "wizard/page_base.h"

class CPelmWelcomeDlg : public CPelmPage {
public:
    CPelmWelcomeDlg();
    ~CPelmWelcomeDlg() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(UINT id, UINT code) override;

private:
    void OnNext();
    void OnFeatures();

    CShadeButtonST m_shade;
    CSoftBitmapButton m_featuresButton;
    CSoftBitmapButton m_nextButton;
    CSoftBitmapButton m_browseButton;
    CSoftBitmapButton m_cancelButton;
    std::wstring m_folder;
    CLabelEx m_label1032;
    CLabelEx m_label1031;
    CLabelEx m_link;
};
