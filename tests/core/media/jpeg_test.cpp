#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <jpeglib.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "media/fit.h"
#include "media/jpeg.h"

namespace {

std::string fixture(const char* name) {
    std::ifstream file(std::string(MEDIA_FIXTURES) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

const unsigned char* bytesOf(const std::string& data) { return reinterpret_cast<const unsigned char*>(data.data()); }

struct Fitted {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;  // 32-bit BGR
};

bool decodeFitted(const std::string& data, Fitted* fitted, int box = 260) {
    FittedSize size;
    if (!jpegFittedSize(bytesOf(data), data.size(), box, box, &size)) return false;
    fitted->width = size.width;
    fitted->height = size.height;
    fitted->pixels.assign(static_cast<size_t>(size.width) * size.height * 4, 0xAA);
    return decodeFittedJpeg(bytesOf(data), data.size(), size, fitted->pixels.data());
}

// The same picture through the reference IJG decoder (default settings:
// accurate integer transform, smooth chroma upsampling), the same scaler
// on its full-size RGB pixels, and the swap to BGR.
Fitted referenceFitted(const std::string& data) {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytesOf(data), data.size());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const int width = info.output_width, height = info.output_height;
    std::vector<unsigned char> full(static_cast<size_t>(width) * height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = full.data() + static_cast<size_t>(info.output_scanline) * width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    Fitted fitted;
    FittedSize size = fittedSize(width, height, 260, 260);
    fitted.width = size.width;
    fitted.height = size.height;
    fitted.pixels.resize(static_cast<size_t>(size.width) * size.height * 4);
    scalePixels(full.data(), width, height, width * 3, 3, fitted.pixels.data(), size.width, size.height, size.width * 4);
    for (size_t p = 0; p < fitted.pixels.size(); p += 4) std::swap(fitted.pixels[p], fitted.pixels[p + 2]);
    return fitted;
}

// Offset of the first frame header (SOFn marker) of a JPEG.
size_t frameHeaderAt(const std::string& data) {
    size_t at = 2;
    while (at + 4 <= data.size()) {
        const unsigned char marker = static_cast<unsigned char>(data[at + 1]);
        if (marker >= 0xC0 && marker <= 0xC3) return at;
        at += 2 + ((static_cast<unsigned char>(data[at + 2]) << 8) | static_cast<unsigned char>(data[at + 3]));
    }
    return std::string::npos;
}

TEST(JpegPictures, AreFittedToTheBoxAsBgrPixelsWithTheirColoursInPlace) {
    const struct { const char* name; int width, height; } cases[] = {
        {"pic520x390.jpg", 260, 195}, {"pic130x65.jpg", 260, 130}, {"pic300x300.jpg", 260, 260},
        {"grey64x32.jpg", 260, 130}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fitted fitted;
        ASSERT_TRUE(decodeFitted(fixture(c.name), &fitted));
        EXPECT_EQ(fitted.width, c.width);
        EXPECT_EQ(fitted.height, c.height);
    }
    Fitted halves;  // red on the left, blue on the right
    ASSERT_TRUE(decodeFitted(fixture("pic520x390.jpg"), &halves));
    const unsigned char* left = &halves.pixels[(100 * 260 + 40) * 4];
    const unsigned char* right = &halves.pixels[(100 * 260 + 220) * 4];
    EXPECT_TRUE(left[2] > 180 && left[0] < 60 && left[3] == 0) << int(left[0]) << " " << int(left[2]);
    EXPECT_TRUE(right[0] > 180 && right[2] < 60 && right[3] == 0) << int(right[0]) << " " << int(right[2]);
    Fitted grey;  // black at the top to white at the bottom
    ASSERT_TRUE(decodeFitted(fixture("grey64x32.jpg"), &grey));
    const unsigned char* dark = &grey.pixels[(2 * 260 + 130) * 4];
    const unsigned char* light = &grey.pixels[(127 * 260 + 130) * 4];
    EXPECT_LT(dark[1], 40);
    EXPECT_GT(light[1], 215);
    EXPECT_TRUE(light[0] == light[1] && light[1] == light[2]);
}

TEST(JpegPictures, LookLikeTheReferenceDecodersAfterTheSameScaling) {
    for (const char* name : {"photo200x150.jpg", "stripes520x390.jpg", "pic520x390.jpg"}) {
        SCOPED_TRACE(name);
        const std::string data = fixture(name);
        Fitted ours, reference = referenceFitted(data);
        ASSERT_TRUE(decodeFitted(data, &ours));
        ASSERT_EQ(ours.width, reference.width);
        ASSERT_EQ(ours.height, reference.height);
        int worst = 0;
        long long total = 0;
        size_t apart = 0;
        for (size_t i = 0; i < ours.pixels.size(); ++i) {
            int difference = abs(ours.pixels[i] - reference.pixels[i]);
            worst = std::max(worst, difference);
            total += difference;
            if (difference > 4) ++apart;
        }
        // Chroma is scaled from its own coarser plane, not after the
        // reference's smoothing upsampling: sharp colour edges may differ by
        // a few dozen levels, everything else agrees to a few.
        EXPECT_LE(worst, 32) << "largest difference of one colour byte";
        EXPECT_LT(static_cast<double>(total) / ours.pixels.size(), 1.0) << "mean difference";
        EXPECT_LT(static_cast<double>(apart) / ours.pixels.size(), 0.01) << "share more than 4 levels apart";
    }
}

TEST(JpegPictures, OtherThanBaselineEightBitGreyOrColourAreLeftToThePlatform) {
    FittedSize size;
    auto readable = [&size](const std::string& data) { return jpegFittedSize(bytesOf(data), data.size(), 260, 260, &size); };
    EXPECT_FALSE(readable(fixture("progressive200x150.jpg")));
    EXPECT_FALSE(readable(fixture("cmyk64x32.jpg")));
    EXPECT_FALSE(readable(fixture("notapicture.jpg")));
    EXPECT_FALSE(readable(""));

    const std::string photo = fixture("photo200x150.jpg");
    const size_t frame = frameHeaderAt(photo);
    ASSERT_NE(frame, std::string::npos);
    std::string twelveBit = photo;
    twelveBit[frame + 4] = 12;
    EXPECT_FALSE(readable(twelveBit));
    std::string huge = photo;  // 20000 x 20000 declared
    huge[frame + 5] = huge[frame + 7] = static_cast<char>(0x4E);
    huge[frame + 6] = huge[frame + 8] = static_cast<char>(0x20);
    EXPECT_FALSE(readable(huge));
    std::string noHeight = photo;  // the height would follow the scan
    noHeight[frame + 5] = noHeight[frame + 6] = 0;
    EXPECT_FALSE(readable(noHeight));
    EXPECT_FALSE(readable(photo.substr(0, frame + 6))) << "frame header cut short";
    std::string overlong = photo;  // the first segment claims to run past the end
    overlong[4] = overlong[5] = static_cast<char>(0xFF);
    EXPECT_FALSE(readable(overlong));
}

TEST(JpegPictures, CutShortOrDamagedGiveAPictureOrRefusalButNeverReadOutside) {
    // Under the sanitiser build this also checks every read stays inside.
    const std::string photo = fixture("photo200x150.jpg");
    for (size_t length : {photo.size() / 2, photo.size() - 2, static_cast<size_t>(700)}) {
        std::string cut = photo.substr(0, length);
        Fitted fitted;
        if (decodeFitted(cut, &fitted)) {
            EXPECT_EQ(fitted.width, 260) << length;
        }
    }
    std::string damaged = photo;
    for (size_t i = photo.size() / 3; i < photo.size(); i += 97) damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
    Fitted fitted;
    decodeFitted(damaged, &fitted);
    releaseJpegMemory();
}

}  // namespace
