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
struct AxisWeights {
    int* first;     // first source pixel of each target pixel
    int* count;     // how many source pixels it covers
    int* start;     // where its weights begin in weight
    unsigned* weight;
};

static void freeAxis(AxisWeights* axis) {
    free(axis->first);
    free(axis->count);
    free(axis->start);
    free(axis->weight);
}

static bool makeAxis(AxisWeights* axis, long long s, long long t) {
    // A target pixel covers at most s / t + 2 source pixels.
    long long perTarget = s / t + 2;
    axis->first = (int*)malloc(sizeof(int) * (size_t)t);
    axis->count = (int*)malloc(sizeof(int) * (size_t)t);
    axis->start = (int*)malloc(sizeof(int) * (size_t)t);
    axis->weight = (unsigned*)malloc(sizeof(unsigned) * (size_t)(t * perTarget));
    if (!axis->first || !axis->count || !axis->start || !axis->weight) {
        freeAxis(axis);
        return false;
    }
    int used = 0;
    for (long long o = 0; o < t; ++o) {
        long long first = o * s / t, last = ((o + 1) * s - 1) / t;
        axis->first[o] = (int)first;
        axis->count[o] = (int)(last - first + 1);
        axis->start[o] = used;
        for (long long i = first; i <= last; ++i) {
            long long low = i * t > o * s ? i * t : o * s;
            long long high = (i + 1) * t < (o + 1) * s ? (i + 1) * t : (o + 1) * s;
            axis->weight[used++] = (unsigned)(high - low);
        }
    }
    return true;
}

// Across: each source row becomes tw sums of 4 channels, each sum sw
// times the average (at most 255 * sw, well within 32 bits).
template <int BytesPerPixel>
static void sumAcross(const unsigned char* source, int sourceStride, int sh, int tw,
                      const AxisWeights& across, unsigned* rows) {
    for (int y = 0; y < sh; ++y) {
        const unsigned char* in = source + (long long)y * sourceStride;
        unsigned* out = rows + (size_t)y * tw * 4;
        for (int o = 0; o < tw; ++o) {
            const unsigned char* pixel = in + (size_t)across.first[o] * BytesPerPixel;
            const unsigned* w = across.weight + across.start[o];
            const int count = across.count[o];
            unsigned b = 0, g = 0, r = 0, x = 0;
            for (int n = 0; n < count; ++n, pixel += BytesPerPixel) {
                b += w[n] * pixel[0];
                g += w[n] * pixel[1];
                r += w[n] * pixel[2];
                if (BytesPerPixel == 4) x += w[n] * pixel[3];
            }
            out[o * 4] = b;
            out[o * 4 + 1] = g;
            out[o * 4 + 2] = r;
            out[o * 4 + 3] = x;
        }
    }
}

bool scalePixels(const unsigned char* source, int sourceWidth, int sourceHeight, int sourceStride,
                 int sourceBytesPerPixel, unsigned char* target, int targetWidth, int targetHeight,
                 int targetStride) {
    if (!source || !target || sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 ||
        targetHeight <= 0 || (sourceBytesPerPixel != 3 && sourceBytesPerPixel != 4))
        return false;
    const int sw = sourceWidth, sh = sourceHeight, tw = targetWidth, th = targetHeight;
    const int bpp = sourceBytesPerPixel;
    AxisWeights across = {nullptr, nullptr, nullptr, nullptr};
    AxisWeights down = {nullptr, nullptr, nullptr, nullptr};
    unsigned* rows = (unsigned*)malloc(sizeof(unsigned) * 4 * (size_t)tw * (size_t)sh);
    if (!rows || !makeAxis(&across, sw, tw) || !makeAxis(&down, sh, th)) {
        free(rows);
        freeAxis(&across);
        freeAxis(&down);
        return false;
    }
    if (bpp == 3) sumAcross<3>(source, sourceStride, sh, tw, across, rows);
    else sumAcross<4>(source, sourceStride, sh, tw, across, rows);
    // Then down, a whole target row at a time so the sums are read in
    // order; dividing by both weight totals at once, rounded.
    const unsigned long long total = (unsigned long long)sw * sh;
    unsigned long long* sums = (unsigned long long*)malloc(sizeof(unsigned long long) * 4 * (size_t)tw);
    if (!sums) {
        free(rows);
        freeAxis(&across);
        freeAxis(&down);
        return false;
    }
    for (int o = 0; o < th; ++o) {
        const unsigned* w = down.weight + down.start[o];
        for (int k = 0; k < tw * 4; ++k) sums[k] = 0;
        for (int n = 0; n < down.count[o]; ++n) {
            const unsigned* in = rows + (size_t)(down.first[o] + n) * tw * 4;
            const unsigned long long weight = w[n];
            for (int k = 0; k < tw * 4; ++k) sums[k] += weight * in[k];
        }
        unsigned char* out = target + (long long)o * targetStride;
        for (int k = 0; k < tw * 4; ++k) out[k] = (unsigned char)((sums[k] + total / 2) / total);
    }
    free(sums);
    free(rows);
    freeAxis(&across);
    freeAxis(&down);
    return true;
}
