// One page template of the resource library, skinned and configured the way
// its page configures it (background, picture buttons, white labels, link,
// choice buttons with icons, feature rows, progress bar), without the page's
// own logic: nothing is installed, validated or written.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/label_ex.h"
#include "controls/my_progress_ctrl.h"
#include "controls/shade_button_st.h"
#include "controls/soft_bitmap_button.h"
#include "framework/gdi.h"
#include "wizard/page_base.h"

struct PictureButtonSpec {
    int Id;
    int Normal, Pressed, Hover, Disabled;
};

struct ChoiceSpec {
    int Id;
    bool Chosen;
};

enum class GalleryExtra { None, Welcome, Licence, Features, FeaturesModify, Finish, FinishRepair, CopyFiles };

struct GalleryVariant {
    const wchar_t* Name;
    int TemplateId;
    int Background;
    std::vector<PictureButtonSpec> Buttons;
    std::vector<int> Labels;
    bool HasLink;
    std::vector<ChoiceSpec> Choices;
    std::vector<int> Disabled;
    GalleryExtra Extra;
};

const std::vector<GalleryVariant>& GalleryVariants();
const GalleryVariant* FindGalleryVariant(const std::wstring& name);

struct GalleryOptions {
    bool Chinese = false;
    int PointAt = 0;        // control to move the mouse over once shown (hover look)
    int CloseAfterMs = 0;   // 0: stays until closed
    int ProgressStep = 5;   // of 11
    int Slide = 1;          // copy-files page: slideshow picture 1..6
};

class CGalleryPage : public CPelmPage {
public:
    CGalleryPage(const GalleryVariant& variant, const GalleryOptions& options);
    ~CGalleryPage() override;

protected:
    BOOL OnInitDialog() override;
    void OnPaint() override;
    void OnTimer(UINT_PTR id) override;
    BOOL OnCommand(UINT id, UINT code) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateFeatureRows();
    void StreamLicence();
    void ReportPlacement();

    const GalleryVariant& m_variant;
    GalleryOptions m_options;
    std::vector<std::unique_ptr<CSoftBitmapButton>> m_buttons;
    std::vector<std::unique_ptr<CLabelEx>> m_labels;
    std::vector<std::unique_ptr<CShadeButtonST>> m_choices;
    std::vector<std::unique_ptr<CStatic>> m_featureTexts;
    CShadeButtonST m_decoration;
    CMyProgressCtrl m_progress;
    CFont m_choiceFont;
    bool m_reported = false;
};
