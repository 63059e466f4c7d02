#include "media/jpeg.h"

#include <stdlib.h>
#include <string.h>

namespace {

// The decoder allocates its component planes afresh for every picture,
// over a megabyte for a photograph. Fresh memory of that size comes from
// the system a page at a time on first touch, which under some systems costs
// more than the decoding itself; each thread therefore keeps the blocks of
// its last picture and hands them out again for the next one.
struct BlockHeader {
    size_t capacity;
    size_t padding;  // keeps the block as aligned as malloc's
};

const int CachedBlockCount = 12;

struct BlockCache {
    BlockHeader* blocks[CachedBlockCount];
};

thread_local BlockCache blockCache;

void* cachedMalloc(size_t size) {
    int best = -1;
    for (int i = 0; i < CachedBlockCount; ++i) {
        BlockHeader* block = blockCache.blocks[i];
        if (block && block->capacity >= size && (best < 0 || block->capacity < blockCache.blocks[best]->capacity))
            best = i;
    }
    if (best >= 0) {
        BlockHeader* block = blockCache.blocks[best];
        blockCache.blocks[best] = nullptr;
        return block + 1;
    }
    if (size > static_cast<size_t>(-1) - sizeof(BlockHeader)) return nullptr;
    BlockHeader* block = static_cast<BlockHeader*>(malloc(sizeof(BlockHeader) + size));
    if (!block) return nullptr;
    block->capacity = size;
    return block + 1;
}

// Keeps the block, in place of the smallest kept one when all places are
// taken and it is larger.
void cachedFree(void* memory) {
    if (!memory) return;
    BlockHeader* block = static_cast<BlockHeader*>(memory) - 1;
    int place = -1;
    for (int i = 0; i < CachedBlockCount; ++i) {
        BlockHeader* kept = blockCache.blocks[i];
        if (!kept) {
            place = i;
            break;
        }
        if (place < 0 || kept->capacity < blockCache.blocks[place]->capacity) place = i;
    }
    BlockHeader*& slot = blockCache.blocks[place];
    if (slot && slot->capacity >= block->capacity) {
        free(block);
        return;
    }
    free(slot);
    slot = block;
}

}  // namespace

// The decoder itself is stb_image (Debian's libstb-dev), built for JPEG
// only, from memory, without failure strings held in a global, and with the
// allocator above. Only the formats left out grow a block, so growing is
// not provided: it would report running out of memory.
#define STBI_MALLOC(size) cachedMalloc(size)
#define STBI_REALLOC(memory, size) ((void)(memory), (void)(size), nullptr)
#define STBI_FREE(memory) cachedFree(memory)
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#define STBI_MAX_DIMENSIONS 16384
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

// Larger pictures are left to the platform, which can stream them; this
// bounds the decoded planes held in memory at about 100 MB.
const long long MaxJpegPixels = 1LL << 25;

struct JpegHeader {
    int width;
    int height;
};

int readWord(const unsigned char* at) { return (at[0] << 8) | at[1]; }

// Walks every marker segment of the file, skipping the entropy-coded data
// of each scan, and accepts only a file with one baseline or extended
// sequential Huffman frame (SOF0, SOF1) of 8-bit samples with one or three
// components, before its first scan, and Huffman tables that fit. Every
// segment must lie within the data; the file may end early inside a scan,
// which the decoder fills in.
bool readJpegHeader(const unsigned char* bytes, size_t count, JpegHeader* header) {
    if (!bytes || count < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) return false;
    bool haveFrame = false;
    size_t at = 2;
    while (at < count) {
        if (bytes[at] != 0xFF) return false;
        while (at < count && bytes[at] == 0xFF) ++at;  // fill bytes
        if (at >= count) break;
        const unsigned char marker = bytes[at++];
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
        if (marker == 0xD9) break;                                            // end of image
        if (marker == 0xD8 || count - at < 2) return false;
        const size_t length = static_cast<size_t>(readWord(bytes + at));
        if (length < 2 || length > count - at) return false;
        const unsigned char* segment = bytes + at + 2;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (haveFrame || (marker != 0xC0 && marker != 0xC1) || length < 8) return false;
            const int precision = segment[0];
            const int height = readWord(segment + 1);
            const int width = readWord(segment + 3);
            const int components = segment[5];
            if (precision != 8 || (components != 1 && components != 3) || width <= 0 || height <= 0) return false;
            if (static_cast<long long>(width) * height > MaxJpegPixels) return false;
            *header = JpegHeader{width, height};
            haveFrame = true;
        } else if (marker == 0xC4 && !jpegHuffmanTablesFit(segment, length - 2)) {
            return false;
        }
        at += length;
        if (marker == 0xDA) {
            if (!haveFrame) return false;
            at = jpegScanEnd(bytes, count, at);
        }
    }
    return haveFrame;
}

}  // namespace

bool jpegHuffmanTablesFit(const unsigned char* segment, size_t length) {
    size_t at = 0;
    while (at < length) {
        if (length - at < 17) return false;
        const unsigned char* table = segment + at;
        if ((table[0] >> 4) > 1 || (table[0] & 15) > 3) return false;
        size_t codes = 0;
        for (int i = 1; i <= 16; ++i) codes += table[i];
        if (codes > 256 || codes > length - at - 17) return false;
        at += 17 + codes;
    }
    return true;
}

size_t jpegScanEnd(const unsigned char* bytes, size_t count, size_t at) {
    while (at < count) {
        const void* found = memchr(bytes + at, 0xFF, count - at);
        if (!found) return count;
        at = static_cast<size_t>(static_cast<const unsigned char*>(found) - bytes);
        if (at + 1 >= count) return count;
        const unsigned char next = bytes[at + 1];
        if (next != 0x00 && !(next >= 0xD0 && next <= 0xD7)) return at;
        at += 2;
    }
    return count;
}

bool jpegFittedSize(const unsigned char* bytes, size_t count, int boxWidth, int boxHeight, FittedSize* size) {
    JpegHeader header;
    if (!readJpegHeader(bytes, count, &header)) return false;
    FittedSize fitted = fittedSize(header.width, header.height, boxWidth, boxHeight);
    if (fitted.width <= 0 || fitted.height <= 0) return false;
    *size = fitted;
    return true;
}

namespace {

unsigned char clampByte(int value) { return static_cast<unsigned char>(value < 0 ? 0 : (value > 255 ? 255 : value)); }

// One fitted YCbCr pixel to BGR, the JFIF conversion in fixed point.
void storeYCbCr(unsigned char* out, int y, int cb, int cr) {
    const int luma = (y << 16) + (1 << 15);  // rounding
    cb -= 128;
    cr -= 128;
    out[0] = clampByte((luma + 116130 * cb) >> 16);              // 1.772
    out[1] = clampByte((luma - 22554 * cb - 46802 * cr) >> 16);  // 0.34414, 0.71414
    out[2] = clampByte((luma + 91881 * cr) >> 16);               // 1.402
    out[3] = 0;
}

// Scales each decoded plane (one per component, chroma planes possibly at a
// lower resolution) straight to the fitted size and only then converts the
// fitted pixels to BGR: the same picture as converting and scaling the full
// picture, up to rounding, for a fraction of the work.
bool fitPlanes(const stbi__jpeg* jpeg, FittedSize size, unsigned char* target) {
    const int components = jpeg->s->img_n;
    const size_t pixels = static_cast<size_t>(size.width) * size.height;
    unsigned char* planes = static_cast<unsigned char*>(cachedMalloc(pixels * components));
    if (!planes) return false;
    bool done = true;
    for (int k = 0; k < components && done; ++k) {
        const auto& plane = jpeg->img_comp[k];
        done = scalePlane(plane.data, plane.x, plane.y, plane.w2, planes + pixels * k, size.width, size.height,
                          size.width);
    }
    if (done) {
        const unsigned char* first = planes;
        const unsigned char* second = planes + pixels;
        const unsigned char* third = planes + 2 * pixels;
        // Three components are YCbCr, unless the file marks them as RGB.
        const bool rgb = components == 3 && (jpeg->rgb == 3 || (jpeg->app14_color_transform == 0 && !jpeg->jfif));
        for (size_t p = 0; p < pixels; ++p) {
            unsigned char* out = target + 4 * p;
            if (components == 1) {
                out[0] = out[1] = out[2] = first[p];
                out[3] = 0;
            } else if (rgb) {
                out[0] = third[p];
                out[1] = second[p];
                out[2] = first[p];
                out[3] = 0;
            } else {
                storeYCbCr(out, first[p], second[p], third[p]);
            }
        }
    }
    cachedFree(planes);
    return done;
}

}  // namespace

bool decodeFittedJpeg(const unsigned char* bytes, size_t count, FittedSize size, unsigned char* target) {
    JpegHeader header;
    if (!readJpegHeader(bytes, count, &header) || count > 0x7FFFFFFF || size.width <= 0 || size.height <= 0)
        return false;
    // The decoder's own steps up to its component planes, without its
    // full-size upsampling and colour conversion.
    stbi__context context;
    stbi__start_mem(&context, bytes, static_cast<int>(count));
    stbi__jpeg* jpeg = static_cast<stbi__jpeg*>(cachedMalloc(sizeof(stbi__jpeg)));
    if (!jpeg) return false;
    memset(jpeg, 0, sizeof *jpeg);
    jpeg->s = &context;
    stbi__setup_jpeg(jpeg);
    context.img_n = 0;  // nothing for the clean-up to free yet
    bool done = stbi__decode_jpeg_image(jpeg) != 0;
    // The frame the header walk accepted is the one decoded.
    done = done && static_cast<int>(context.img_x) == header.width && static_cast<int>(context.img_y) == header.height &&
           (context.img_n == 1 || context.img_n == 3) && fitPlanes(jpeg, size, target);
    stbi__cleanup_jpeg(jpeg);
    cachedFree(jpeg);
    return done;
}

void releaseJpegMemory() {
    for (BlockHeader*& block : blockCache.blocks) {
        free(block);
        block = nullptr;
    }
}
