#include <gtest/gtest.h>

#include <ole2.h>

#include <algorithm>

#include "media/picture.h"
#include "media_support.h"
#include "win/support/harness.h"

namespace {

COLORREF pixelAt(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour;
}

// The fitted bitmap the OLE loader and the HALFTONE stretch make.
HBITMAP decodeAndFitFixture(int number) {
    std::string bytes = resourceBytes(number);
    HBITMAP full = decodePicture(bytes.data(), (DWORD)bytes.size());
    if (!full) return nullptr;
    HBITMAP fitted = fitBitmap(full, 260, 260);
    DeleteObject(full);
    return fitted;
}

}  // namespace

TEST(LoadedPictures, AreFittedInTheirOwnProportionsAndLookLikeTheOleLoadersWithAHalftoneStretch) {
    // Smooth pictures only: fine detail comes out grey here but may come
    // out as single picked pixels from a platform's stretch (see the next test).
    const struct { int number, width, height; } cases[] = {
        {401, 260, 195},    // 520 x 390 reduced
        {402, 260, 130},    // 130 x 65 enlarged
        {403, 260, 260},    // a square fills the box
        {10401, 260, 130},  // the 200 x 100 answer picture
        {501, 260, 195},    // a progressive JPEG, read by the platform
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        HBITMAP fast = loadFixture(c.number);
        HBITMAP reference = decodeAndFitFixture(c.number);
        const std::string size = std::to_string(c.width) + "x" + std::to_string(c.height);
        EXPECT_EQ(sizeOf(fast), size);
        EXPECT_EQ(sizeOf(reference), size);
        int worst = 0;
        for (int y = 5; y < c.height - 5; y += 17)
            for (int x = 5; x < c.width - 5; x += 13) {
                COLORREF p = pixelAt(fast, x, y), q = pixelAt(reference, x, y);
                worst = std::max(worst, abs(GetRValue(p) - GetRValue(q)) + abs(GetGValue(p) - GetGValue(q)) +
                                            abs(GetBValue(p) - GetBValue(q)));
            }
        EXPECT_LT(worst, 3 * 48) << "largest colour difference";
        DeleteObject(fast);
        DeleteObject(reference);
    }
}

TEST(LoadedPictures, AreScreenCompatibleBitmapsThatKeepTheirColoursInPlaceAndAverageFineDetail) {
    HBITMAP bitmap = loadFixture(401);  // red on the left, blue on the right
    ASSERT_NE(bitmap, nullptr);
    BITMAP info;
    GetObjectA(bitmap, sizeof info, &info);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(info.bmBitsPixel, GetDeviceCaps(screen, BITSPIXEL));
    ReleaseDC(nullptr, screen);
    COLORREF left = pixelAt(bitmap, 40, 100), right = pixelAt(bitmap, 220, 100);
    EXPECT_TRUE(GetRValue(left) > 180 && GetBValue(left) < 60) << std::hex << left;
    EXPECT_TRUE(GetBValue(right) > 180 && GetRValue(right) < 60) << std::hex << right;
    DeleteObject(bitmap);
    // One-pixel black and white columns halved in width come out grey,
    // where a platform's stretch may pick single pixels instead.
    bitmap = loadFixture(408);
    EXPECT_EQ(sizeOf(bitmap), "260x195");
    for (int x = 100; x < 110; ++x) {
        int grey = GetGValue(pixelAt(bitmap, x, 90));
        EXPECT_TRUE(grey > 64 && grey < 192) << "column " << x << ": " << grey;
    }
    DeleteObject(bitmap);
}

TEST(UnreadablePictures, GiveNoBitmapAndNoMessage) {
    MessageCapture recorded;
    EXPECT_EQ(loadFixture(404), nullptr) << "a resource that is no picture";
    EXPECT_EQ(loadFixture(10402), nullptr) << "a resource that does not exist";
    EXPECT_EQ(loadPicture(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(401), "PATCH", 260, 260), nullptr)
        << "the right number under another type";
    std::string bytes = resourceBytes(404);
    EXPECT_EQ(decodePicture(bytes.data(), (DWORD)bytes.size()), nullptr);
    std::string cut = resourceBytes(401).substr(0, 40);
    EXPECT_EQ(decodePicture(cut.data(), (DWORD)cut.size()), nullptr) << "a JPEG cut short";
    EXPECT_EQ(decodePicture(bytes.data(), 0), nullptr);
    EXPECT_TRUE(recorded.messages.empty());
}

TEST(DecodedPictures, KeepTheirFullSizeAndFittingLeavesTheSourceAlone) {
    std::string bytes = resourceBytes(401);
    HBITMAP full = decodePicture(bytes.data(), (DWORD)bytes.size());
    EXPECT_EQ(sizeOf(full), "520x390");
    HBITMAP fitted = fitBitmap(full, 260, 260);
    EXPECT_EQ(sizeOf(fitted), "260x195");
    EXPECT_NE(fitted, full);
    EXPECT_EQ(sizeOf(full), "520x390");
    HBITMAP tall = fitBitmap(full, 100, 300);
    EXPECT_EQ(sizeOf(tall), "100x75");
    DeleteObject(tall);
    DeleteObject(fitted);
    DeleteObject(full);
}

TEST(DecodedPictures, PairTheirComInitialisationWithAnUninitialisation) {
    // Balanced calls leave COM as it was: not initialised on this thread.
    std::string bytes = resourceBytes(402);
    for (int n = 0; n < 3; ++n) DeleteObject(decodePicture(bytes.data(), (DWORD)bytes.size()));
    DeleteObject(loadFixture(402));
    DeleteObject(loadFixture(404));
    HRESULT first = CoInitialize(nullptr);
    EXPECT_EQ(first, S_OK) << "S_FALSE would mean an initialisation was left over";
    CoUninitialize();
}
