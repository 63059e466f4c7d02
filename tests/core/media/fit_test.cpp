#include <gtest/gtest.h>

#include "media/fit.h"

TEST(FittedSize, ScalesUntilOneSideMeetsTheBoxTruncatingTheOther) {
    const int cases[][6] = {
        // source w, h, box w, h -> fitted w, h
        {520, 390, 260, 260, 260, 195}, {800, 600, 260, 260, 260, 195},  // reduced to the box width
        {130, 65, 260, 260, 260, 130}, {10, 20, 260, 260, 130, 260},     // enlarged
        {1000, 1000, 260, 260, 260, 260}, {1, 1, 260, 260, 260, 260},
        {390, 520, 260, 260, 195, 260},  // portrait: limited by the height
        {600, 800, 260, 400, 260, 346},  // 346.67 truncated
        {640, 480, 400, 400, 400, 300}, {3, 1, 260, 260, 260, 86}, {7, 3, 260, 260, 260, 111},
        // 100 / 97.0 * 97 is 99.999... in double precision
        {97, 50, 100, 100, 99, 51}, {50, 97, 100, 100, 51, 99},
        // An empty source: no division by zero.
        {0, 0, 260, 260, 0, 0}, {0, 10, 260, 260, 0, 0}, {10, -1, 260, 260, 0, 0},
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

// The rounded area average of target pixel (tx, ty), channel c, straight
// from the definition: each source pixel weighs the area it shares with the
// target pixel, in units of 1 / (sw * tw) across and 1 / (sh * th) down.
int exactAverage(const Pixels& source, int sw, int sh, int stride, int bpp, int tw, int th, int tx, int ty, int c) {
    unsigned long long sum = 0;
    for (int y = 0; y < sh; ++y) {
        long long down = std::min((long long)(y + 1) * th, (long long)(ty + 1) * sh) -
                         std::max((long long)y * th, (long long)ty * sh);
        if (down <= 0) continue;
        for (int x = 0; x < sw; ++x) {
            long long across = std::min((long long)(x + 1) * tw, (long long)(tx + 1) * sw) -
                               std::max((long long)x * tw, (long long)tx * sw);
            if (across > 0) sum += (unsigned long long)(across * down) * source[(size_t)y * stride + x * bpp + c];
        }
    }
    const unsigned long long total = (unsigned long long)sw * sh;
    return (int)((sum + total / 2) / total);
}

}  // namespace

TEST(ScaledPixels, KeepAUniformColourUnchangedWhetherReducedOrEnlarged) {
    Pixels source((size_t)800 * 600 * 4);
    for (size_t p = 0; p < source.size(); p += 4) source[p] = 10, source[p + 1] = 120, source[p + 2] = 250;
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

// The largest plane whose sums stay 32 bits wide (4095 x 4097 = 2^24 - 1
// samples) and the smallest that takes 64 (4096 x 4096), reduced to one
// sample: all 255, the largest sum either width holds, and with the first
// row 0, a quotient rounded from just below 255.
TEST(ScaledPixels, AverageThePlanesOfTheLargestSumsOnEitherSideOfTheSumWidthsBoundary) {
    for (int side : {4095, 4096}) {
        const int sw = side, sh = 2 * 4096 - side;
        for (unsigned char firstRow : {255, 0}) {
            Pixels source((size_t)sw * sh, 255);
            std::fill(source.begin(), source.begin() + sw, firstRow);
            const unsigned long long total = (unsigned long long)sw * sh;
            const unsigned long long sum = 255 * total - (255 - firstRow) * (unsigned long long)sw;
            unsigned char target = 7;
            ASSERT_TRUE(scalePlane(source.data(), sw, sh, sw, &target, 1, 1, 1));
            EXPECT_EQ(target, (sum + total / 2) / total) << sw << "x" << sh << ", first row " << int(firstRow);
        }
    }
}

TEST(ScaledPixels, RefuseEmptySizesAndPixelsOfOtherThanThreeOrFourBytesAndLeaveTheTargetAlone) {
    Pixels source(64, 1), target(64, 7);
    EXPECT_FALSE(scalePixels(source.data(), 0, 4, 16, 4, target.data(), 4, 4, 16));
    EXPECT_FALSE(scalePixels(source.data(), 4, 4, 16, 4, target.data(), 4, 0, 16));
    EXPECT_FALSE(scalePixels(nullptr, 4, 4, 16, 4, target.data(), 4, 4, 16));
    EXPECT_FALSE(scalePixels(source.data(), 4, 4, 16, 2, target.data(), 4, 4, 16));
    EXPECT_EQ(target, Pixels(64, 7));
}

// Reductions and enlargements of every ratio, and planes of the target's
// size, from 3- and 4-byte pixels in rows padded past their end into rows
// padded too: each target pixel weighs
// the source pixels it covers, partly or whole (a fourth byte is zero from
// 3-byte pixels), and neither padding shows or changes.
TEST(ScaledPixels, MatchTheExactRoundedAreaAverageOnRandomPicturesAndPlanes) {
    unsigned state = 7;
    auto next = [&state](int below) {
        state = state * 1103515245u + 12345u;
        return (int)((state >> 8) % (unsigned)below);
    };
    for (int round = 0; round < 60; ++round) {
        const int bpp = round % 3 == 2 ? 1 : 3 + round % 3;  // 1: a plane, scaled to 1 byte a pixel
        const int out = bpp == 1 ? 1 : 4;
        const int sw = 1 + next(37), sh = 1 + next(29);
        const bool same = round % 6 == 5;  // every other plane kept at its size
        const int tw = same ? sw : 1 + next(41), th = same ? sh : 1 + next(23);
        const int sourceStride = sw * bpp + round % 5, targetStride = tw * out + 4 * (round % 4);
        Pixels source((size_t)sourceStride * sh);
        for (unsigned char& byte : source) byte = (unsigned char)next(256);
        Pixels target((size_t)targetStride * th, 7);
        ASSERT_TRUE(bpp == 1 ? scalePlane(source.data(), sw, sh, sourceStride, target.data(), tw, th, targetStride)
                             : scalePixels(source.data(), sw, sh, sourceStride, bpp, target.data(), tw, th, targetStride));
        for (int ty = 0; ty < th; ++ty)
            for (int at = 0; at < targetStride; ++at) {
                const int tx = at / out, c = at % out;
                const int expected = tx >= tw ? 7 : c == 3 && bpp == 3 ? 0 : exactAverage(source, sw, sh, sourceStride, bpp, tw, th, tx, ty, c);
                ASSERT_EQ(target[(size_t)ty * targetStride + at], expected)
                    << sw << "x" << sh << " to " << tw << "x" << th << " at " << tx << "," << ty << " byte " << c;
            }
    }
}
