// Pictures prepared for the player's box: their stored size, EXIF
// orientation, transparency, what is stored as it is; and what a file is,
// by its bytes. Fixtures are written with stb_image_write; what
// the player shows is read back with the player's own JPEG decoder.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "filetype.h"
#include "format/format.h"
#include "media/jpeg.h"
#include "picture.h"
#include "shared/drawings.h"
#include "shared/stored.h"

namespace {

// The JPEG with an Exif block after its start marker holding one
// orientation tag (0x0112, a SHORT), in Intel (II) or Motorola (MM) order.
Bytes withOrientation(const Bytes& jpeg, int orientation, bool motorola) {
    const unsigned char o = static_cast<unsigned char>(orientation);
    const std::vector<unsigned char> tiff =
        motorola ? std::vector<unsigned char>{'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1, 0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, o, 0, 0, 0, 0, 0, 0}
                 : std::vector<unsigned char>{'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, o, 0, 0, 0, 0, 0, 0, 0};
    Bytes out = {0xFF, 0xD8, 0xFF, 0xE1, 0, static_cast<unsigned char>(2 + 6 + tiff.size()), 'E', 'x', 'i', 'f', 0, 0};
    out.insert(out.end(), tiff.begin(), tiff.end());
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());  // after the start marker
    return out;
}

// What the player shows of a stored picture, 4 bytes (B, G, R, 0) a pixel.
struct Shown {
    int width = 0, height = 0;
    std::vector<unsigned char> bgr;
    Rgba at(int x, int y) const {
        const unsigned char* p = &bgr[(static_cast<size_t>(y) * width + x) * 4];
        return Rgba{p[2], p[1], p[0], 255};
    }
};

Shown show(const Bytes& stored) {
    Shown shown;
    FittedSize size;
    EXPECT_TRUE(jpegFittedSize(stored.data(), stored.size(), PictureBoxSize, PictureBoxSize, &size))
        << "not a baseline JPEG the player reads on its fast path";
    shown.width = size.width;
    shown.height = size.height;
    shown.bgr.resize(static_cast<size_t>(size.width) * size.height * 4);
    EXPECT_TRUE(decodeFittedJpeg(stored.data(), stored.size(), size, shown.bgr.data()));
    return shown;
}

bool near(Rgba a, Rgba b) { return abs(a.r - b.r) <= 8 && abs(a.g - b.g) <= 8 && abs(a.b - b.b) <= 8; }

::testing::AssertionResult prepared(const Bytes& file, PictureOptions options, Bytes* stored, PreparedPicture* picture) {
    Message why;
    if (preparePicture(file, options, stored, picture, &why)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << why.english;
}

}  // namespace

TEST(StoredPictureSize, IsTheFittedSizeThatFittingAgainKeeps) {
    const struct { int width, height, storedWidth, storedHeight; } cases[] = {
        {5640, 3172, 260, 146}, {1203, 1600, 195, 260}, {1000, 1000, 260, 260},  // landscape, portrait, square
        {130, 65, 260, 130},                                                     // enlarged
        {4105, 20, 260, 1},  // fitting truncates the long side to 259, which fitting again would enlarge
        {1, 5000, 1, 260},   // never narrower than a pixel
    };
    for (const auto& c : cases) {
        FittedSize size = storedPictureSize(c.width, c.height);
        EXPECT_EQ(size.width, c.storedWidth) << c.width << " x " << c.height;
        EXPECT_EQ(size.height, c.storedHeight) << c.width << " x " << c.height;
    }
    for (int width = 1; width <= 6000; width += 7)
        for (int height : {1, 19, 259, 260, 261, 777, 3172, 4105}) {
            FittedSize size = storedPictureSize(width, height);
            FittedSize again = fittedSize(size.width, size.height, PictureBoxSize, PictureBoxSize);
            FittedSize first = fittedSize(width, height, PictureBoxSize, PictureBoxSize);
            ASSERT_TRUE(again.width == size.width && again.height == size.height) << width << " x " << height;
            ASSERT_LE(abs(size.width - first.width) + abs(size.height - first.height), 2) << width << " x " << height;
        }
}

TEST(PreparedPicture, TheExifOrientationTurnsTheMarkedCornerToTheTopLeft) {
    // Which corner of the stored picture each tag value puts at the top
    // left, by the tag's meaning of where row 0 and column 0 belong.
    const struct { int orientation, markX, markY; } cases[] = {
        {1, 0, 0}, {2, 1, 0}, {3, 1, 1}, {4, 0, 1}, {5, 0, 0}, {6, 0, 1}, {7, 1, 1}, {8, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.orientation);
        Drawing d = drawing(80, 40, Grey);
        paint(&d, c.markX * 64, c.markY * 24, 16, Red);
        Bytes stored;
        PreparedPicture picture;
        // A stale block an editor left behind, upright, does not count.
        const Bytes file = withOrientation(withOrientation(asJpeg(d), 1, false), c.orientation, c.orientation % 2 == 0);
        ASSERT_TRUE(prepared(file, PictureOptions(), &stored, &picture));
        EXPECT_EQ(picture.orientation, c.orientation);
        const bool turned = c.orientation >= 5;
        Shown shown = show(stored);
        EXPECT_EQ(shown.width, turned ? 130 : 260);
        EXPECT_EQ(shown.height, turned ? 260 : 130);
        const int w = shown.width - 1, h = shown.height - 1;
        EXPECT_TRUE(near(shown.at(5, 5), Red));
        EXPECT_TRUE(near(shown.at(w - 5, 5), Grey));
        EXPECT_TRUE(near(shown.at(5, h - 5), Grey));
        EXPECT_TRUE(near(shown.at(w - 5, h - 5), Grey));
    }
}

TEST(PreparedPicture, TransparencyLiesOnTheQuizBackground) {
    Drawing d = drawing(2, 2, Rgba{0, 0, 255, 255});
    paint(&d, 0, 0, 1, Rgba{255, 0, 0, 0});    // fully transparent red
    paint(&d, 1, 0, 1, Rgba{255, 0, 0, 128});  // half transparent red
    PictureOptions options;
    options.red = 0x20, options.green = 0x40, options.blue = 0x80;
    for (const Bytes& file : {asPng(d), asBmp(d)}) {
        Bytes stored;
        PreparedPicture picture;
        ASSERT_TRUE(prepared(file, options, &stored, &picture));
        EXPECT_TRUE(picture.enlarged);
        Shown shown = show(stored);
        EXPECT_TRUE(near(shown.at(65, 65), Rgba{0x20, 0x40, 0x80, 255}));
        EXPECT_TRUE(near(shown.at(195, 65), Rgba{0x8F, 0x20, 0x40, 255}));
        EXPECT_TRUE(near(shown.at(65, 195), Rgba{0, 0, 255, 255}));
    }
}

TEST(PreparedPicture, OnlyAnUprightBaselineJpegOfItsStoredSizeIsStoredAsItIs) {
    const Bytes ready = asJpeg(drawing(260, 195, Grey));
    const Bytes png = asPng(drawing(260, 195, Grey));
    const Bytes large = asJpeg(drawing(520, 390, Grey));
    const struct { const char* what; Bytes file; bool keep, asItIs; int width, height; } cases[] = {
        {"ready", ready, false, true, 260, 195},
        {"upside down", withOrientation(ready, 3, false), false, false, 260, 195},
        {"PNG", png, false, false, 260, 195},
        {"too large", large, false, false, 260, 195},
        {"too large, kept", large, true, true, 520, 390},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes stored;
        PreparedPicture picture;
        PictureOptions options;
        options.keepOriginal = c.keep;
        ASSERT_TRUE(prepared(c.file, options, &stored, &picture));
        EXPECT_EQ(picture.storedAsItIs, c.asItIs);
        EXPECT_EQ(stored == c.file, c.asItIs);
        EXPECT_EQ(picture.storedWidth, c.width);
        EXPECT_EQ(picture.storedHeight, c.height);
        if (!c.keep) {
            EXPECT_EQ(show(stored).width, c.width);
        }
    }
}

TEST(FileType, IsJudgedByTheLeadingBytesWhateverTheName) {
    const Bytes frame = {0xFF, 0xFB, 0x90, 0x64};  // MPEG-1 layer III, 128 kbit/s, 44.1 kHz
    auto then = [](Bytes head, const Bytes& tail) {
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    const struct { Bytes file; const char* what; } cases[] = {
        {then(frame, Bytes(20)), "an MP3 sound"},
        {then(bytesOf("ID3\3\0\0\0\0\0\x02\0\0"), frame), "an MP3 sound"},  // a tag of 2 bytes, then a frame
        {bytesOf("ID3\3\0\0\0\0\0\0fLaC"), "a FLAC sound behind an ID3 tag"},
        {bytesOf("RIFF\x24\0\0\0WAVEfmt "), "a WAV sound"},
        {bytesOf("RIFF\x24\0\0\0AVI LIST"), "an AVI video"},
        {bytesOf("RIFF\x24\0\0\0WEBPVP8 "), "a WebP picture"},
        {bytesOf("\0\0\0\x18" "ftypheic"), "a HEIC picture"},
        {bytesOf("\0\0\0\x18" "ftypisom"), "an MP4 video"},
        {bytesOf("PK\x03\x04\x14\0"), "a Zip archive (or an office document)"},
        {bytesOf("Bonjour\n\tla classe\r\n"), "a text file"},
        {bytesOf("\0\x01\x02\xFE"), "unknown data"},
        {Bytes(), "an empty file"},
    };
    for (const auto& c : cases) EXPECT_EQ(describeFile(c.file).english, c.what);
}

TEST(FileType, OnlyMp4AndWebmVideosAreVideosBrowsersPlay) {
    const struct { Bytes file; bool plays; } cases[] = {
        {bytesOf("\0\0\0\x18" "ftypisom"), true},
        {bytesOf("\0\0\0\x18" "ftypmp42"), true},
        {bytesOf("\x1A\x45\xDF\xA3\x9F\x42\x86\x81"), true},   // WebM's EBML header
        {bytesOf("\0\0\0\x18" "ftypheic"), false},
        {bytesOf("\0\0\0\x18" "ftypM4A "), false},
        {bytesOf("\0\0\0\x14" "ftypqt  "), false},
        {bytesOf("RIFF\x24\0\0\0AVI LIST"), false},
        {bytesOf("ftyp"), false},
        {Bytes(), false},
    };
    for (const auto& c : cases) EXPECT_EQ(isBrowserVideo(c.file), c.plays) << describeFile(c.file).english;
}
