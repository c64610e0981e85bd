#include "wizard/progress_steps.h"

#include <gtest/gtest.h>

namespace {

TEST(PackageItemCount, CountsTheWayTheInstallSequenceSplits) {
    struct Case {
        const wchar_t* List;
        int Count;
    };
    const Case cases[] = {
        {L"a.exe", 1},          {L"a.exe;b.exe", 2}, {L"a.exe;b.exe;", 2}, {L"", 1},
        {L";a.exe", 1},         {L"a;b;c", 3},       {L"a;;b", 2},         {L";", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(PackageItemCount(c.List), c.Count) << c.List;
}

FeatureRecord Feature(const wchar_t* packages, int check) {
    FeatureRecord feature;
    feature.Name = L"f";
    feature.Package = packages;
    feature.Check = check;
    return feature;
}

TEST(CopyFilesStepTotal, AddsOneStepPerFactAndPerChosenPackage) {
    std::vector<FeatureRecord> features = {Feature(L"a.exe;b.exe", 1), Feature(L"c.exe", 1),
                                           Feature(L"d.exe;e.exe;f.exe", 0)};
    ProgressFacts sixtyFour{false, true, true};
    EXPECT_EQ(CopyFilesStepTotal(sixtyFour, features), 7 + 1 + 2 + 1);

    struct Case {
        ProgressFacts Facts;
        int Total;
    };
    const Case cases[] = {
        {{false, false, true}, 7},
        {{true, false, true}, 8},
        {{false, true, true}, 8},
        {{false, false, false}, 8},
        {{true, true, false}, 10},
    };
    for (const auto& c : cases) EXPECT_EQ(CopyFilesStepTotal(c.Facts, {}), c.Total);
    // A feature counts only when its Check is exactly 1.
    EXPECT_EQ(CopyFilesStepTotal({false, false, true}, {Feature(L"a;b", 2)}), 7);
}

}  // namespace
