#include <gtest/gtest.h>

#include "media/fit.h"

TEST(FittedSize, ScalesUntilOneSideMeetsTheBoxTruncatingTheOther) {
    const int cases[][6] = {
        // source w, h, box w, h -> fitted w, h
        {520, 390, 260, 260, 260, 195},  // reduced to the box width
        {800, 600, 260, 260, 260, 195},
        {130, 65, 260, 260, 260, 130},   // enlarged
        {10, 20, 260, 260, 130, 260},
        {1000, 1000, 260, 260, 260, 260},
        {1, 1, 260, 260, 260, 260},
        {390, 520, 260, 260, 195, 260},  // portrait: limited by the height
        {600, 800, 260, 400, 260, 346},  // 346.67 truncated
        {640, 480, 400, 400, 400, 300},
        {3, 1, 260, 260, 260, 86},
        {7, 3, 260, 260, 260, 111},
        {97, 50, 100, 100, 99, 51},      // 100 / 97.0 * 97 is 99.999... in double precision
        {50, 97, 100, 100, 51, 99},
        {0, 0, 260, 260, 0, 0},          // an empty source: no division by zero
        {0, 10, 260, 260, 0, 0},
        {10, -1, 260, 260, 0, 0},
    };
    for (auto& c : cases) {
        FittedSize size = fittedSize(c[0], c[1], c[2], c[3]);
        EXPECT_EQ(size.width, c[4]) << c[0] << "x" << c[1] << " in " << c[2] << "x" << c[3];
        EXPECT_EQ(size.height, c[5]) << c[0] << "x" << c[1] << " in " << c[2] << "x" << c[3];
    }
}

#include <algorithm>
#include <vector>

namespace {

typedef std::vector<unsigned char> Pixels;

// A picture of width x height 4-byte pixels, stride width * 4.
Pixels picture(int width, int height, unsigned char b, unsigned char g, unsigned char r) {
    Pixels pixels((size_t)width * height * 4);
    for (size_t p = 0; p < pixels.size(); p += 4) {
        pixels[p] = b;
        pixels[p + 1] = g;
        pixels[p + 2] = r;
        pixels[p + 3] = 0;
    }
    return pixels;
}

void setGrey(Pixels& pixels, int width, int x, int y, unsigned char grey) {
    for (int c = 0; c < 3; ++c) pixels[((size_t)y * width + x) * 4 + c] = grey;
}

int greyAt(const Pixels& pixels, int width, int x, int y) { return pixels[((size_t)y * width + x) * 4]; }

}  // namespace

TEST(ScaledPixels, KeepAUniformColourUnchangedWhetherReducedOrEnlarged) {
    Pixels source = picture(800, 600, 10, 120, 250);
    for (int size : {260, 1000}) {
        int height = size * 3 / 4;
        Pixels target((size_t)size * height * 4, 99);
        ASSERT_TRUE(scalePixels(source.data(), 800, 600, 800 * 4, 4, target.data(), size, height, size * 4));
        for (size_t p = 0; p < target.size(); p += 4) {
            ASSERT_EQ(target[p], 10) << p;
            ASSERT_EQ(target[p + 1], 120) << p;
            ASSERT_EQ(target[p + 2], 250) << p;
        }
    }
}

TEST(ScaledPixels, AverageOnePixelStripesToTheirMeanGrey) {
    Pixels source = picture(520, 390, 0, 0, 0);
    for (int y = 0; y < 390; ++y)
        for (int x = 1; x < 520; x += 2) setGrey(source, 520, x, y, 255);
    Pixels target((size_t)260 * 195 * 4);
    ASSERT_TRUE(scalePixels(source.data(), 520, 390, 520 * 4, 4, target.data(), 260, 195, 260 * 4));
    for (int x = 0; x < 260; x += 37) EXPECT_EQ(greyAt(target, 260, x, 97), 128) << x;  // 127.5 rounded
}

TEST(ScaledPixels, WeighSourcePixelsByTheShareOfTheTargetPixelTheyCover) {
    // Three pixels across into two: each target pixel covers one whole
    // source pixel and half of the middle one.
    Pixels source = picture(3, 1, 0, 0, 0);
    setGrey(source, 3, 0, 0, 0);
    setGrey(source, 3, 1, 0, 90);
    setGrey(source, 3, 2, 0, 210);
    Pixels target(2 * 4);
    ASSERT_TRUE(scalePixels(source.data(), 3, 1, 12, 4, target.data(), 2, 1, 8));
    EXPECT_EQ(greyAt(target, 2, 0, 0), 30);   // (2 * 0 + 90) / 3
    EXPECT_EQ(greyAt(target, 2, 1, 0), 170);  // (90 + 2 * 210) / 3
}

TEST(ScaledPixels, EnlargeBlendingOnlyWhereATargetPixelStraddlesTwoSourcePixels) {
    Pixels source = picture(2, 1, 0, 0, 0);
    setGrey(source, 2, 1, 0, 200);
    Pixels target(5 * 4);
    ASSERT_TRUE(scalePixels(source.data(), 2, 1, 8, 4, target.data(), 5, 1, 20));
    EXPECT_EQ(greyAt(target, 5, 0, 0), 0);
    EXPECT_EQ(greyAt(target, 5, 1, 0), 0);
    EXPECT_EQ(greyAt(target, 5, 2, 0), 100);
    EXPECT_EQ(greyAt(target, 5, 3, 0), 200);
    EXPECT_EQ(greyAt(target, 5, 4, 0), 200);
}

TEST(ScaledPixels, HonourRowStridesLargerThanTheRow) {
    // Source rows padded with bright bytes that must never show.
    Pixels source(4 * 16 * 2, 255);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            for (int c = 0; c < 4; ++c) source[y * 16 + x * 4 + c] = (unsigned char)(40 * (x + 2 * y));
    Pixels target(12 * 2, 7);
    ASSERT_TRUE(scalePixels(source.data(), 2, 2, 16, 4, target.data(), 1, 1, 12));
    EXPECT_EQ(target[0], 60);  // (0 + 40 + 80 + 120) / 4
    EXPECT_EQ(target[4], 7) << "bytes past the target row are left alone";
}

TEST(ScaledPixels, RefuseEmptySizesAndLeaveTheTargetAlone) {
    Pixels source = picture(4, 4, 1, 2, 3);
    Pixels target(64, 7);
    EXPECT_FALSE(scalePixels(source.data(), 0, 4, 16, 4, target.data(), 4, 4, 16));
    EXPECT_FALSE(scalePixels(source.data(), 4, 4, 16, 4, target.data(), 4, 0, 16));
    EXPECT_FALSE(scalePixels(nullptr, 4, 4, 16, 4, target.data(), 4, 4, 16));
    EXPECT_EQ(target, Pixels(64, 7));
}

TEST(ScaledPixels, ReadThreeBytePixelsAndWriteFourWithAZeroFourthByte) {
    // 2 x 1 picture of 3-byte pixels (stride padded to 8) halved across.
    unsigned char source[8] = {10, 20, 30, 50, 60, 70, 99, 99};
    unsigned char target[4] = {7, 7, 7, 7};
    ASSERT_TRUE(scalePixels(source, 2, 1, 8, 3, target, 1, 1, 4));
    EXPECT_EQ(target[0], 30);
    EXPECT_EQ(target[1], 40);
    EXPECT_EQ(target[2], 50);
    EXPECT_EQ(target[3], 0);
    EXPECT_FALSE(scalePixels(source, 2, 1, 8, 2, target, 1, 1, 4)) << "only 3 or 4 bytes a pixel";
}

namespace {

// The rounded area average of target pixel (tx, ty), channel c, straight
// from the definition: each source pixel weighs the area it shares with the
// target pixel, in units of 1 / (sw * tw) across and 1 / (sh * th) down.
int exactAverage(const Pixels& source, int sw, int sh, int bpp, int tw, int th, int tx, int ty, int c) {
    unsigned long long sum = 0;
    for (int y = 0; y < sh; ++y) {
        long long down = std::min((long long)(y + 1) * th, (long long)(ty + 1) * sh) -
                         std::max((long long)y * th, (long long)ty * sh);
        if (down <= 0) continue;
        for (int x = 0; x < sw; ++x) {
            long long across = std::min((long long)(x + 1) * tw, (long long)(tx + 1) * sw) -
                               std::max((long long)x * tw, (long long)tx * sw);
            if (across > 0) sum += (unsigned long long)(across * down) * source[((size_t)y * sw + x) * bpp + c];
        }
    }
    const unsigned long long total = (unsigned long long)sw * sh;
    return (int)((sum + total / 2) / total);
}

}  // namespace

TEST(ScaledPixels, MatchTheExactRoundedAreaAverageOnRandomPictures) {
    unsigned state = 7;
    auto next = [&state](int below) {
        state = state * 1103515245u + 12345u;
        return (int)((state >> 8) % (unsigned)below);
    };
    for (int round = 0; round < 60; ++round) {
        const int bpp = 3 + round % 2;
        const int sw = 1 + next(37), sh = 1 + next(29), tw = 1 + next(41), th = 1 + next(23);
        Pixels source((size_t)sw * sh * bpp);
        for (unsigned char& byte : source) byte = (unsigned char)next(256);
        Pixels target((size_t)tw * th * 4);
        ASSERT_TRUE(scalePixels(source.data(), sw, sh, sw * bpp, bpp, target.data(), tw, th, tw * 4));
        for (int ty = 0; ty < th; ++ty)
            for (int tx = 0; tx < tw; ++tx)
                for (int c = 0; c < 3; ++c)
                    ASSERT_EQ(target[((size_t)ty * tw + tx) * 4 + c], exactAverage(source, sw, sh, bpp, tw, th, tx, ty, c))
                        << sw << "x" << sh << " to " << tw << "x" << th << " at " << tx << "," << ty << " byte " << c;
    }
}
