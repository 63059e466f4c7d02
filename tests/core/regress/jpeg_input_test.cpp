// JPEG pictures that once broke the picture decoder, found by fuzzing.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "media/jpeg.h"

namespace {

std::string fixture(const char* name) {
    std::ifstream file(std::string(MEDIA_FIXTURES) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The photo fixture with an extra Huffman table segment right after its
// start marker: DC table 0 with `shorter` codes of 8 bits and `longer` of 9.
// The file's own tables follow and replace it.
std::string withExtraHuffmanTable(int shorter, int longer) {
    const std::string photo = fixture("photo200x150.jpg");
    const int codes = shorter + longer;
    const int length = 2 + 17 + codes;
    std::string segment = {'\xFF', '\xC4', static_cast<char>(length >> 8), static_cast<char>(length & 0xFF), 0};
    for (int bits = 1; bits <= 16; ++bits)
        segment += static_cast<char>(bits == 8 ? shorter : bits == 9 ? longer : 0);
    for (int symbol = 0; symbol < codes; ++symbol) segment += static_cast<char>(symbol % 12);
    return photo.substr(0, 2) + segment + photo.substr(2);
}

}  // namespace

// A table of more than 256 codes made the decoder write past its code-size
// list; such a file now goes to the platform's decoders.
TEST(JpegWithAnOversizedHuffmanTable, IsLeftToThePlatformWhileAFullOneStillDecodes) {
    FittedSize size;
    const std::string full = withExtraHuffmanTable(128, 128);
    ASSERT_TRUE(jpegFittedSize(reinterpret_cast<const unsigned char*>(full.data()), full.size(), 260, 260, &size));
    std::vector<unsigned char> pixels(static_cast<size_t>(size.width) * size.height * 4);
    EXPECT_TRUE(decodeFittedJpeg(reinterpret_cast<const unsigned char*>(full.data()), full.size(), size, pixels.data()));
    const std::string oversized = withExtraHuffmanTable(129, 128);
    EXPECT_FALSE(jpegFittedSize(reinterpret_cast<const unsigned char*>(oversized.data()), oversized.size(), 260, 260, &size));
    EXPECT_FALSE(decodeFittedJpeg(reinterpret_cast<const unsigned char*>(oversized.data()), oversized.size(), size,
                                  pixels.data()));
    releaseJpegMemory();
}
