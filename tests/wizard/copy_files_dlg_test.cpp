#include "wizard/copy_files_dlg.h"

#include <gtest/gtest.h>

namespace {

TEST(CopyFilesSlideshow, ShowsTheSixPicturesInTurnAndStartsOverAfterThirtySeconds) {
    int frame = 1;   // 141 at initialisation
    std::vector<int> shown;
    for (int tick = 0; tick < 6; ++tick) {
        frame = NextSlideshowFrame(frame);
        shown.push_back(SlideshowBitmap(frame));
    }
    EXPECT_EQ(shown, (std::vector<int>{142, 143, 144, 145, 146, 141}));
}

TEST(CopyFilesProgress, WrapsWhenTheEstimateRunsOut) {
    // Step total 11: the bar starts at 1; ten notices bring it to 11 mod 11 = 0.
    int step = 1;
    for (int notice = 0; notice < 9; ++notice) step = NextProgressStep(step, 11);
    EXPECT_EQ(step, 10);
    EXPECT_EQ(NextProgressStep(step, 11), 0);
    EXPECT_EQ(NextProgressStep(0, 11), 1);
    EXPECT_EQ(NextProgressStep(5, 0), 0) << "no total, no division";
}

}  // namespace
