#include "media/fit.h"

#include <stdlib.h>

// One scale for both sides, the smaller of the two box ratios, so the whole
// picture fits; it may exceed 1, so small pictures are enlarged. Products
// are truncated, which can leave the limiting side one pixel short when
// the double product falls just below a whole number (97 * (100 / 97.0)).
FittedSize fittedSize(int sourceWidth, int sourceHeight, int boxWidth, int boxHeight) {
    if (sourceWidth <= 0 || sourceHeight <= 0) return FittedSize{0, 0};
    double rx = (double)boxWidth / sourceWidth;
    double ry = (double)boxHeight / sourceHeight;
    double r = ry < rx ? ry : rx;
    return FittedSize{(int)(sourceWidth * r), (int)(sourceHeight * r)};
}

// Along one axis, source pixel i covers [i * t, (i + 1) * t) and target
// pixel o covers [o * s, (o + 1) * s) in units of 1 / (s * t) of the whole
// length (s source and t target pixels), so every overlap is a whole
// number and the weights of one target pixel add up to exactly s.
static long long overlap(long long sourceIndex, long long targetIndex, long long s, long long t) {
    long long low = sourceIndex * t > targetIndex * s ? sourceIndex * t : targetIndex * s;
    long long high = (sourceIndex + 1) * t < (targetIndex + 1) * s ? (sourceIndex + 1) * t
                                                                   : (targetIndex + 1) * s;
    return high > low ? high - low : 0;
}

bool scalePixels(const unsigned char* source, int sourceWidth, int sourceHeight, int sourceStride,
                 unsigned char* target, int targetWidth, int targetHeight, int targetStride) {
    if (!source || !target || sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 ||
        targetHeight <= 0)
        return false;
    const long long sw = sourceWidth, sh = sourceHeight, tw = targetWidth, th = targetHeight;
    // Across first: each source row becomes targetWidth sums, each sum
    // sourceWidth times the average (at most 255 * sourceWidth).
    unsigned int* rows = (unsigned int*)malloc(sizeof(unsigned int) * 4 * (size_t)tw * (size_t)sh);
    if (!rows) return false;
    for (long long y = 0; y < sh; ++y) {
        const unsigned char* in = source + y * sourceStride;
        unsigned int* out = rows + y * tw * 4;
        for (long long o = 0; o < tw; ++o) {
            long long first = o * sw / tw, last = ((o + 1) * sw - 1) / tw;
            long long sum[4] = {0, 0, 0, 0};
            for (long long i = first; i <= last; ++i) {
                long long w = overlap(i, o, sw, tw);
                for (int c = 0; c < 4; ++c) sum[c] += w * in[i * 4 + c];
            }
            for (int c = 0; c < 4; ++c) out[o * 4 + c] = (unsigned int)sum[c];
        }
    }
    // Then down, dividing by both weight totals at once, rounded.
    const long long total = sw * sh;
    for (long long o = 0; o < th; ++o) {
        long long first = o * sh / th, last = ((o + 1) * sh - 1) / th;
        unsigned char* out = target + o * targetStride;
        for (long long x = 0; x < tw; ++x) {
            long long sum[4] = {0, 0, 0, 0};
            for (long long i = first; i <= last; ++i) {
                long long w = overlap(i, o, sh, th);
                const unsigned int* in = rows + (i * tw + x) * 4;
                for (int c = 0; c < 4; ++c) sum[c] += w * in[c];
            }
            for (int c = 0; c < 4; ++c) out[x * 4 + c] = (unsigned char)((sum[c] + total / 2) / total);
        }
    }
    free(rows);
    return true;
}
