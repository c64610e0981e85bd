// The feature page: one check button and one description per feature of
// Setup.ini, created at run time on the rows the template marks; the folder.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "controls/label_ex.h"
#include "controls/shade_button_st.h"
#include "controls/soft_bitmap_button.h"
#include "framework/button.h"
#include "wizard/page_base.h"

class CPelmFeatureDlg : public CPelmPage {
public:
    CPelmFeatureDlg();
    ~CPelmFeatureDlg() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(UINT id, UINT code) override;
    void OnPaint() override;

private:
    void CreateFeatureRows();
    void ToggleFeature(int index);
    void OnNext();
    void OnBack();

    int m_firstPaint = 1;
    std::wstring m_folder;
    CLabelEx m_label1032;
    CLabelEx m_folderLabel;
    CSoftBitmapButton m_browseButton;
    CSoftBitmapButton m_backButton;
    CSoftBitmapButton m_nextButton;
    CSoftBitmapButton m_cancelButton;
    CLabelEx m_link;
    std::vector<std::unique_ptr<CShadeButtonST>> m_featureButtons;
    std::vector<std::unique_ptr<CStatic>> m_featureTexts;
    HFONT m_pageFont = nullptr;   // the template's font, owned by the dialog manager
};

// Row rectangles in the page's client coordinates, from the placeholders'
// client rectangles: the button and description of row `row`.
struct FeatureRowLayout {
    RECT Button;
    RECT Description;
    int Step;
};
FeatureRowLayout RowLayoutFrom(const RECT& firstButton, const RECT& secondButton, const RECT& firstDescription);
RECT RowRect(const RECT& first, int row, int step);

// In Modify: whether feature `index` is installed according to the Setup.ini
// in the product folder (its key "check" in section sub<index + 1> is 1).
bool IsFeatureInstalled(const std::wstring& installedSetupIni, int index);
