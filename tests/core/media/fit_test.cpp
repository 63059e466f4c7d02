#include <gtest/gtest.h>

#include "media/fit.h"

static void expectFitted(int sw, int sh, int bw, int bh, int width, int height) {
    FittedSize size = fittedSize(sw, sh, bw, bh);
    EXPECT_EQ(size.width, width) << sw << "x" << sh << " in " << bw << "x" << bh;
    EXPECT_EQ(size.height, height) << sw << "x" << sh << " in " << bw << "x" << bh;
}

TEST(FittedSize, ReducesALandscapePictureToTheBoxWidth) {
    expectFitted(520, 390, 260, 260, 260, 195);
    expectFitted(800, 600, 260, 260, 260, 195);
}

TEST(FittedSize, EnlargesASmallPictureUntilOneSideMeetsTheBox) {
    expectFitted(130, 65, 260, 260, 260, 130);
    expectFitted(10, 20, 260, 260, 130, 260);
}

TEST(FittedSize, ASquarePictureFillsASquareBoxWhateverItsSize) {
    expectFitted(260, 260, 260, 260, 260, 260);
    expectFitted(1000, 1000, 260, 260, 260, 260);
    expectFitted(1, 1, 260, 260, 260, 260);
}

TEST(FittedSize, APortraitPictureIsLimitedByTheBoxHeight) {
    expectFitted(390, 520, 260, 260, 195, 260);
    expectFitted(600, 800, 260, 400, 260, 346);
}

TEST(FittedSize, TruncatesTheShorterSideTowardZero) {
    // 480 * 260 / 640 = 195.0, 640 * 260 / 480 = 346.67
    expectFitted(480, 640, 260, 260, 195, 260);
    expectFitted(640, 480, 400, 400, 400, 300);
    expectFitted(3, 1, 260, 260, 260, 86);
    expectFitted(7, 3, 260, 260, 260, 111);
}

TEST(FittedSize, TheLimitingSideComesOutOnePixelShortWhenTheProductFallsBelowAWholeNumber) {
    // 100 / 97.0 * 97 is 99.999... in double precision.
    expectFitted(97, 50, 100, 100, 99, 51);
    expectFitted(50, 97, 100, 100, 51, 99);
}

TEST(FittedSize, AnEmptySourceGivesAnEmptySizeInsteadOfDividingByZero) {
    expectFitted(0, 0, 260, 260, 0, 0);
    expectFitted(0, 10, 260, 260, 0, 0);
    expectFitted(10, -1, 260, 260, 0, 0);
}
