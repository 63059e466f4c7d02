#include "media/fit.h"

#include <stdlib.h>
#include <string.h>

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

// Across: one source row becomes tw sums of Channels channels (4 for
// pixels, 1 for a plane), each sum sw times the average (at most 255 * sw,
// well within 32 bits).
template <int BytesPerPixel, int Channels>
static void sumAcross(const unsigned char* __restrict in, int tw, const AxisWeights& across,
                      unsigned* __restrict out) {
    for (int o = 0; o < tw; ++o) {
        const unsigned char* pixel = in + (size_t)across.first[o] * BytesPerPixel;
        const unsigned* w = across.weight + across.start[o];
        const int count = across.count[o];
        if (Channels == 1) {
            unsigned sum = 0;
            for (int n = 0; n < count; ++n) sum += w[n] * pixel[n];
            out[o] = sum;
            continue;
        }
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

// Rounded sum / total without a division per byte. 32-bit sums use a
// 32-bit fixed-point reciprocal, floor((2^32 - 1) / total): the product's
// high word is never above the quotient and at most two below, and counting
// up makes it exact. One 32 x 32-bit multiplication, where a double
// reciprocal would cost a 32-bit program two slow conversions a byte.
struct NarrowDivider {
    unsigned total;
    unsigned half;
    unsigned reciprocal;
};

static inline unsigned char roundedAverage(unsigned sum, const NarrowDivider& d) {
    const unsigned n = sum + d.half;
    unsigned q = (unsigned)(((unsigned long long)n * d.reciprocal) >> 32);
    while ((q + 1) * d.total <= n) ++q;
    return (unsigned char)q;
}

// 64-bit sums: a double reciprocal gives the quotient or one off, and one
// comparison each way makes it exact.
struct WideDivider {
    unsigned long long total;
    unsigned long long half;
    double reciprocal;
};

static inline unsigned char roundedAverage(unsigned long long sum, const WideDivider& d) {
    const unsigned long long n = sum + d.half;
    unsigned long long q = (unsigned long long)((double)n * d.reciprocal);
    if (q * d.total > n) --q;
    else if ((q + 1) * d.total <= n) ++q;
    return (unsigned char)q;
}

template <typename Sum>
static inline void addWeighted(Sum* __restrict sums, const unsigned* __restrict row, Sum weight, int width) {
    for (int k = 0; k < width; ++k) sums[k] += weight * row[k];
}

struct ScaleJob {
    const unsigned char* source;
    int sourceStride;
    int bytesPerPixel;  // 1 for a plane
    int channels;       // of the target: 4, or 1 for a plane
    int tw;
    int th;
    AxisWeights across;
    AxisWeights down;
    unsigned char* target;
    int targetStride;
};

// One target row at a time: each source row it covers is summed across,
// then added in with its weight down; dividing by both weight totals at
// once. Only two rows of sums are held, so a large picture needs no
// picture-sized scratch memory. A source row shared by two target rows is
// summed across once. Sum is 32 bits wide when 256 * sw * sh fits: a sum
// is at most 255 * sw * sh, and with half the total added, or the quotient
// plus one times the total, still below 256 * sw * sh.
template <typename Sum, typename Divider>
static bool sumDown(const ScaleJob& job, const Divider& divider) {
    const int width = job.tw * job.channels;
    Sum* sums = (Sum*)malloc(sizeof(Sum) * (size_t)width);
    unsigned* row = (unsigned*)malloc(sizeof(unsigned) * (size_t)width);
    if (!sums || !row) {
        free(sums);
        free(row);
        return false;
    }
    int rowInBuffer = -1;
    for (int o = 0; o < job.th; ++o) {
        const unsigned* w = job.down.weight + job.down.start[o];
        for (int k = 0; k < width; ++k) sums[k] = 0;
        for (int n = 0; n < job.down.count[o]; ++n) {
            const int y = job.down.first[o] + n;
            if (y != rowInBuffer) {
                const unsigned char* in = job.source + (long long)y * job.sourceStride;
                if (job.bytesPerPixel == 1) sumAcross<1, 1>(in, job.tw, job.across, row);
                else if (job.bytesPerPixel == 3) sumAcross<3, 4>(in, job.tw, job.across, row);
                else sumAcross<4, 4>(in, job.tw, job.across, row);
                rowInBuffer = y;
            }
            addWeighted<Sum>(sums, row, w[n], width);
        }
        unsigned char* out = job.target + (long long)o * job.targetStride;
        for (int k = 0; k < width; ++k) out[k] = roundedAverage(sums[k], divider);
    }
    free(sums);
    free(row);
    return true;
}

static bool scale(ScaleJob job, int sourceWidth, int sourceHeight) {
    bool done = false;
    if (makeAxis(&job.across, sourceWidth, job.tw) && makeAxis(&job.down, sourceHeight, job.th)) {
        const unsigned long long total = (unsigned long long)sourceWidth * sourceHeight;
        if (total <= 0xFFFFFFFFull / 256)
            done = sumDown<unsigned>(job, NarrowDivider{(unsigned)total, (unsigned)(total / 2),
                                                        (unsigned)(0xFFFFFFFFull / total)});
        else
            done = sumDown<unsigned long long>(job, WideDivider{total, total / 2, 1.0 / (double)total});
    }
    freeAxis(&job.across);
    freeAxis(&job.down);
    return done;
}

static bool validSizes(const void* source, const void* target, int sourceWidth, int sourceHeight, int targetWidth,
                       int targetHeight) {
    return source && target && sourceWidth > 0 && sourceHeight > 0 && targetWidth > 0 && targetHeight > 0;
}

bool scalePixels(const unsigned char* source, int sourceWidth, int sourceHeight, int sourceStride,
                 int sourceBytesPerPixel, unsigned char* target, int targetWidth, int targetHeight,
                 int targetStride) {
    if (!validSizes(source, target, sourceWidth, sourceHeight, targetWidth, targetHeight) ||
        (sourceBytesPerPixel != 3 && sourceBytesPerPixel != 4))
        return false;
    return scale(ScaleJob{source, sourceStride, sourceBytesPerPixel, 4, targetWidth, targetHeight,
                          {nullptr, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}, target,
                          targetStride},
                 sourceWidth, sourceHeight);
}

bool scalePlane(const unsigned char* source, int sourceWidth, int sourceHeight, int sourceStride,
                unsigned char* target, int targetWidth, int targetHeight, int targetStride) {
    if (!validSizes(source, target, sourceWidth, sourceHeight, targetWidth, targetHeight)) return false;
    // A plane of the target's own size, as in a picture stored at the size
    // it is shown at, is its own area average.
    if (sourceWidth == targetWidth && sourceHeight == targetHeight) {
        for (int y = 0; y < targetHeight; ++y)
            memcpy(target + (long long)y * targetStride, source + (long long)y * sourceStride, (size_t)targetWidth);
        return true;
    }
    return scale(ScaleJob{source, sourceStride, 1, 1, targetWidth, targetHeight, {nullptr, nullptr, nullptr, nullptr},
                          {nullptr, nullptr, nullptr, nullptr}, target, targetStride},
                 sourceWidth, sourceHeight);
}
