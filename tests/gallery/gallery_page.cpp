#include "tests/gallery/gallery_page.h"

#include <richedit.h>

#include <cstdio>
#include <cstring>

#include "framework/win_app.h"
#include "tests/gallery/sample_content.h"
#include "wizard/page_ids.h"

namespace {

constexpr UINT_PTR kCloseTimer = 77;
constexpr UINT kShownMessage = WM_APP + 1;
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The button bitmaps as the page Parts load them.
constexpr PictureButtonSpec Back{IDC_BACK, 162, 163, 164, 0};
constexpr PictureButtonSpec Next{IDC_NEXT, 166, 167, 168, 0};
constexpr PictureButtonSpec Cancel{IDCANCEL, 170, 171, 172, 0};
constexpr PictureButtonSpec Finish{IDC_NEXT, 173, 174, 175, 0};

}  // namespace

const std::vector<GalleryVariant>& GalleryVariants() {
    static const std::vector<GalleryVariant> variants{
        {L"welcome", IDD_WELCOME, IDB_WELCOME,
         {{1017, 150, 151, 152, 0}, {1018, 153, 154, 155, 0}, {1024, 156, 157, 158, 0}, {IDCANCEL, 159, 160, 161, 0}},
         {1031, 1032}, true, {}, {}, GalleryExtra::Welcome},
        {L"license", IDD_LICENSE, IDB_LICENSE, {Back, {IDC_NEXT, 166, 167, 168, 169}, Cancel},
         {1032}, true, {{1003, false}, {1004, true}}, {IDC_NEXT}, GalleryExtra::Licence},
        {L"license-accepted", IDD_LICENSE, IDB_LICENSE, {Back, {IDC_NEXT, 166, 167, 168, 169}, Cancel},
         {1032}, true, {{1003, true}, {1004, false}}, {}, GalleryExtra::Licence},
        {L"features", IDD_FEATURES, IDB_PAGE, {{1026, 156, 157, 158, 0}, Back, Next, Cancel},
         {1032, 1027}, true, {}, {}, GalleryExtra::Features},
        {L"features-modify", IDD_FEATURES, IDB_PAGE, {{1026, 156, 157, 158, 0}, Back, Next, Cancel},
         {1032, 1027}, true, {}, {}, GalleryExtra::FeaturesModify},
        {L"start-copy", IDD_START_COPY, IDB_PAGE, {Back, {IDC_NEXT, 176, 177, 178, 0}, Cancel},
         {1032}, true, {}, {}, GalleryExtra::None},
        {L"maintenance", IDD_MAINTENANCE, IDB_PAGE, {{IDC_BACK, 162, 163, 164, 165}, Next, Cancel},
         {1032}, false, {{1011, false}, {1012, false}, {1007, true}}, {}, GalleryExtra::None},
        {L"error", IDD_COMPLETE_ERROR, IDB_PAGE, {Finish}, {1032}, false, {}, {}, GalleryExtra::None},
        {L"finish", IDD_FINISH, IDB_FINISH_INSTALL, {Finish}, {1032}, false, {{1014, true}, {1015, false}}, {},
         GalleryExtra::Finish},
        {L"finish-repair", IDD_FINISH, IDB_FINISH_MAINTENANCE, {Finish}, {1032}, false, {}, {},
         GalleryExtra::FinishRepair},
        {L"copy-files", IDD_COPY_FILES, 141, {{IDCANCEL, 159, 160, 161, 0}}, {1032, 1033}, true, {}, {},
         GalleryExtra::CopyFiles},
    };
    return variants;
}

const GalleryVariant* FindGalleryVariant(const std::wstring& name) {
    for (const auto& variant : GalleryVariants())
        if (name == variant.Name) return &variant;
    return nullptr;
}

CGalleryPage::CGalleryPage(const GalleryVariant& variant, const GalleryOptions& options)
    : CPelmPage(static_cast<UINT>(variant.TemplateId)), m_variant(variant), m_options(options) {
    // The Welcome page keeps the base dialog's control colours.
    m_commonControlColours = variant.Extra != GalleryExtra::Welcome;
}

CGalleryPage::~CGalleryPage() = default;

BOOL CGalleryPage::OnInitDialog() {
    InitPage(static_cast<UINT>(m_variant.Extra == GalleryExtra::CopyFiles ? IDB_SLIDESHOW_FIRST - 1 + m_options.Slide
                                                                          : m_variant.Background));
    for (const auto& pictures : m_variant.Buttons) {
        auto button = std::make_unique<CSoftBitmapButton>();
        button->SubclassDlgItem(static_cast<UINT>(pictures.Id), this);
        button->LoadBitmaps(pictures.Normal, pictures.Pressed, pictures.Hover, pictures.Disabled);
        m_buttons.push_back(std::move(button));
    }
    for (int id : m_variant.Labels) {
        auto label = std::make_unique<CLabelEx>();
        label->SubclassDlgItem(static_cast<UINT>(id), this);
        label->SetTextColor(kWhite);
        m_labels.push_back(std::move(label));
    }
    if (m_variant.HasLink) {
        auto link = std::make_unique<CLabelEx>();
        link->SubclassDlgItem(IDC_REQUIREMENT_LINK, this);
        SetUpLinkLabel(*link);
        m_labels.push_back(std::move(link));
    }
    for (const auto& entry : m_variant.Choices) {
        auto choice = std::make_unique<CShadeButtonST>();
        choice->SubclassDlgItem(static_cast<UINT>(entry.Id), this);
        ShowChoice(*choice, entry.Chosen);
        SetUpChoiceButton(*choice);
        m_choices.push_back(std::move(choice));
    }
    for (int id : m_variant.Disabled) ::EnableWindow(GetDlgItem(id), FALSE);

    switch (m_variant.Extra) {
    case GalleryExtra::Welcome:
        m_decoration.SubclassDlgItem(IDC_SHADE, this);
        SetDlgItemText(IDC_WELCOME_FOLDER, SampleTargetDir());
        break;
    case GalleryExtra::Licence:
        StreamLicence();
        break;
    case GalleryExtra::Features:
    case GalleryExtra::FeaturesModify:
        CreateFeatureRows();
        SetDlgItemText(IDC_FEATURE_FOLDER, SampleTargetDir());
        if (m_variant.Extra == GalleryExtra::FeaturesModify) {
            for (int id : {IDC_FEATURE_FOLDER_LABEL, IDC_FEATURE_BROWSE, IDC_FEATURE_FOLDER})
                ::ShowWindow(GetDlgItem(id), SW_HIDE);
        }
        break;
    case GalleryExtra::Finish:
    case GalleryExtra::FinishRepair: {
        // The finish page's bold choice font.
        LOGFONTW font{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(GetDlgItem(1014), WM_GETFONT, 0, 0)), sizeof font, &font);
        font.lfHeight = -15;
        font.lfWeight = FW_BOLD;
        m_choiceFont.CreateFontIndirect(&font);
        for (auto& choice : m_choices) choice->SetFont(m_choiceFont.Handle(), TRUE);
        if (m_variant.Extra == GalleryExtra::FinishRepair) {
            ::ShowWindow(GetDlgItem(1014), SW_HIDE);
            ::ShowWindow(GetDlgItem(1015), SW_HIDE);
        }
        break;
    }
    case GalleryExtra::CopyFiles:
        m_progress.SubclassDlgItem(IDC_PROGRESS, this);
        m_progress.ShowWindow(SW_SHOW);
        m_progress.SetRange(0, 11);
        m_progress.SetPos(m_options.ProgressStep);
        m_progress.SetBackgroundColor(RGB(58, 58, 58));
        m_progress.SetBarColor(RGB(252, 200, 15));
        break;
    case GalleryExtra::None:
        break;
    }
    if (m_options.CloseAfterMs > 0) SetTimer(kCloseTimer, static_cast<UINT>(m_options.CloseAfterMs));
    PostMessage(kShownMessage);
    return TRUE;
}

void CGalleryPage::CreateFeatureRows() {
    auto clientRectOf = [this](int id) {
        RECT rect{};
        ::GetWindowRect(GetDlgItem(id), &rect);
        ScreenToClient(&rect);
        return rect;
    };
    const RECT button = clientRectOf(1034);
    const RECT text = clientRectOf(1035);
    const int step = clientRectOf(1036).top - button.top;
    const HFONT pageFont = GetFont();
    const auto features = SampleFeatures(m_options.Chinese);
    for (size_t i = 0; i < features.size(); ++i) {
        const int offset = static_cast<int>(i) * step;
        RECT buttonRect = button, textRect = text;
        ::OffsetRect(&buttonRect, 0, offset);
        ::OffsetRect(&textRect, 0, offset);
        auto choice = std::make_unique<CShadeButtonST>();
        choice->Create(features[i].Name.c_str(), WS_CHILD | WS_VISIBLE | (features[i].Enable ? 0 : WS_DISABLED),
                       buttonRect, this, static_cast<UINT>(3001 + i));
        auto description = std::make_unique<CStatic>();
        description->Create(features[i].Description.c_str(), WS_CHILD | WS_VISIBLE | SS_RIGHTJUST | SS_REALSIZEIMAGE,
                            textRect, this, static_cast<UINT>(4001 + i));
        ShowFeatureChoice(*choice, features[i].Check == 1);
        choice->SetFont(pageFont, TRUE);
        description->SetFont(pageFont, TRUE);
        SetUpChoiceButton(*choice);
        m_choices.push_back(std::move(choice));
        m_featureTexts.push_back(std::move(description));
    }
}

void CGalleryPage::StreamLicence() {
    struct Source {
        std::string Text;
        size_t Offset = 0;
    } source{SampleLicenceRtf(m_options.Chinese)};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = [](DWORD_PTR cookie, BYTE* buffer, LONG wanted, LONG* given) -> DWORD {
        auto* from = reinterpret_cast<Source*>(cookie);
        size_t count = std::min(static_cast<size_t>(wanted), from->Text.size() - from->Offset);
        std::memcpy(buffer, from->Text.data() + from->Offset, count);
        from->Offset += count;
        *given = static_cast<LONG>(count);
        return 0;
    };
    ::SendMessageW(GetDlgItem(IDC_LICENSE_TEXT), EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

void CGalleryPage::OnPaint() {
    // As the pages do: the choice buttons take the freshly painted skin again.
    for (auto& choice : m_choices) choice->SetTransparent();
    CPelmPage::OnPaint();
}

void CGalleryPage::OnTimer(UINT_PTR id) {
    if (id == kCloseTimer) {
        KillTimer(kCloseTimer);
        EndDialog(IDCANCEL);
        return;
    }
    CPelmPage::OnTimer(id);
}

BOOL CGalleryPage::OnCommand(UINT id, UINT code) {
    // Clicking choice buttons shows the other look, as the pages do.
    for (auto& choice : m_choices) {
        if (choice->GetDlgCtrlID() != static_cast<int>(id) || code != BN_CLICKED) continue;
        const bool feature = id >= 3001;
        for (auto& other : m_choices) {
            if (feature && other.get() != choice.get()) continue;
            if (feature) ShowFeatureChoice(*other, true);
            else ShowChoice(*other, other.get() == choice.get());
        }
        Invalidate(TRUE);
        return TRUE;
    }
    if (id == IDCANCEL || id == IDC_NEXT || id == IDC_BACK || id == IDC_WELCOME_NEXT || id == IDC_WELCOME_FEATURES) {
        EndDialog(static_cast<INT_PTR>(id));
        return TRUE;
    }
    return CPelmPage::OnCommand(id, code);
}

void CGalleryPage::ReportPlacement() {
    RECT rect{};
    GetWindowRect(&rect);
    std::printf("RECT %ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    std::fflush(stdout);
}

LRESULT CGalleryPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kShownMessage) {
        if (m_options.PointAt) {
            RECT rect{};
            ::GetWindowRect(GetDlgItem(m_options.PointAt), &rect);
            ::SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        } else {
            // Keep the pointer off the page so no button shows its hover look.
            ::SetCursorPos(0, 0);
        }
        if (!m_reported) {
            m_reported = true;
            ReportPlacement();
        }
        return 0;
    }
    return CPelmPage::WindowProc(message, wParam, lParam);
}
