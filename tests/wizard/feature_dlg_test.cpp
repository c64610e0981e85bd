#include "wizard/feature_dlg.h"

#include <gtest/gtest.h>

#include "app/setup_state.h"
#include "tests/common/test_paths.h"
#include "wizard/welcome_maint_dlg.h"

namespace {

TEST(FeatureRows, StepDownFromThePlaceholdersByTheRowStep) {
    const RECT button{16, 140, 216, 179}, second{16, 184, 216, 223}, description{200, 151, 600, 167};
    FeatureRowLayout layout = RowLayoutFrom(button, second, description);
    EXPECT_EQ(layout.Step, 44);
    struct Case {
        int Row;
        LONG ButtonTop;
        LONG DescriptionTop;
    };
    for (const Case& c : {Case{0, 140, 151}, Case{1, 184, 195}, Case{3, 272, 283}}) {
        RECT b = RowRect(layout.Button, c.Row, layout.Step);
        RECT d = RowRect(layout.Description, c.Row, layout.Step);
        EXPECT_EQ(b.top, c.ButtonTop);
        EXPECT_EQ(b.bottom - b.top, 39);
        EXPECT_EQ(b.left, 16);
        EXPECT_EQ(d.top, c.DescriptionTop);
        EXPECT_EQ(d.right, 600);
    }
}

// The installed product's Setup.ini decides what Modify locks and what the
// maintenance page reloads.
class InstalledIni : public testing::Test {
protected:
    void SetUp() override {
        m_saved = State();
        WriteFileBytes(m_folder / L"Setup.ini",
                       "[SETUP]\r\nCLASSIC=1\r\n[sub1]\r\ncheck=1\r\n[sub2]\r\ncheck=0\r\n[sub3]\r\ncheck=2\r\n");
    }
    void TearDown() override { State() = m_saved; }

    ScratchFolder m_folder{L"ini"};
    SetupState m_saved;
};

TEST_F(InstalledIni, OnlyACheckOfOneCountsAsInstalled) {
    const std::wstring ini = m_folder / L"Setup.ini";
    EXPECT_TRUE(IsFeatureInstalled(ini, 0));
    EXPECT_FALSE(IsFeatureInstalled(ini, 1));
    EXPECT_FALSE(IsFeatureInstalled(ini, 2));
    EXPECT_FALSE(IsFeatureInstalled(ini, 3)) << "a missing section is not installed";
}

TEST_F(InstalledIni, ModifyAndRepairStartFromWhatIsInstalled) {
    SetupState& state = State();
    state.Features.assign(4, FeatureRecord{});
    for (auto& feature : state.Features) feature.Check = 1;
    state.FeatureCount = 4;
    state.Classic = 0;
    ReloadInstalledChoices(m_folder / L"Setup.ini");
    std::vector<int> checks;
    for (const auto& feature : state.Features) checks.push_back(feature.Check);
    EXPECT_EQ(checks, (std::vector<int>{1, 0, 2, 0}));
    EXPECT_EQ(state.Classic, 1);

    // Without an installed Setup.ini the medium's choices stay.
    for (auto& feature : state.Features) feature.Check = 1;
    ReloadInstalledChoices(m_folder / L"missing\\Setup.ini");
    EXPECT_EQ(state.Features[1].Check, 1);
    EXPECT_EQ(state.Classic, 1);
}

}  // namespace
