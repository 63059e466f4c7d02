// Pictures decoded ahead of need on other threads: the board must show
// exactly the bitmap the picture loader makes, whatever the order in which
// it takes them, and what the prefetch does not hold is loaded as before.
#include <gtest/gtest.h>

#include <string>

#include "app/app.h"
#include "media/picture.h"
#include "media_support.h"
#include "win/support/harness.h"

namespace {

// The bitmap's size and its device-dependent pixels; empty for null.
std::string bitmapBits(HBITMAP bitmap) {
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return "";
    std::string bits(static_cast<size_t>(info.bmWidthBytes) * info.bmHeight, '\0');
    EXPECT_EQ(GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), &bits[0]), static_cast<LONG>(bits.size()));
    return std::to_string(info.bmWidth) + "x" + std::to_string(info.bmHeight) + bits;
}

HMODULE self() { return GetModuleHandleA(nullptr); }

// takePicture's bitmap of number is the loader's, pixel for pixel.
void expectTakenAsLoaded(int number, int box = 260) {
    SCOPED_TRACE(number);
    HBITMAP taken = takePicture(self(), number, "IMG", box, box);
    HBITMAP loaded = loadFixture(number, box);
    EXPECT_EQ(taken != nullptr, loaded != nullptr);
    EXPECT_TRUE(bitmapBits(taken) == bitmapBits(loaded)) << "the pictures differ";
    if (taken) DeleteObject(taken);
    if (loaded) DeleteObject(loaded);
}

}  // namespace

// 401 to 403 and 408 are JPEG pictures of different sizes, 404 is no
// picture, 405 to 407 are sounds and a video.
TEST(PrefetchedPictures, AreTheLoadersBitmapsPixelForPixelAndNonePicturesStayNull) {
    startPicturePrefetch(self(), "IMG", 401, 8, 260, 260);
    Sleep(300);  // the workers claim every picture, so each one taken is theirs
    for (int number = 401; number <= 408; ++number) expectTakenAsLoaded(number);
    finishPicturePrefetch();
    HBITMAP none = takePicture(self(), 404, "IMG", 260, 260);
    EXPECT_EQ(none, nullptr);
}

TEST(PrefetchedPictures, AreTakenInAnyOrderOthersAreLoadedAsBeforeAndLeftOversAreDroppedAtTheEnd) {
    startPicturePrefetch(self(), "IMG", 401, 3, 260, 260);
    expectTakenAsLoaded(403);
    expectTakenAsLoaded(401);
    expectTakenAsLoaded(408);       // outside the prefetch
    expectTakenAsLoaded(402, 100);  // another box than the prefetch's
    expectTakenAsLoaded(402);
    finishPicturePrefetch();
    startPicturePrefetch(self(), "IMG", 401, 8, 260, 260);
    Sleep(50);  // let the workers finish some
    finishPicturePrefetch();
    expectTakenAsLoaded(401);
    expectTakenAsLoaded(408);
    finishPicturePrefetch();  // a second end does nothing
}

TEST(PrefetchedPictures, AreWhatThePictureBoardShows) {
    ScratchDirectory folder;
    MessageCapture capture;
    Quiz quiz;
    fillTestQuiz(&quiz, 1, 4, 1, 2);
    startPicturePrefetch(self(), "IMG", 401, 4, 260, 260);  // as start-up does
    Sleep(300);  // the workers claim every picture before the board asks
    PlayerWindows windows = openPlayerWindows(&quiz);
    for (int i = 1; i <= 3; ++i) {
        SCOPED_TRACE(i);
        HBITMAP shown = (HBITMAP)SendDlgItemMessageA(windows.board, 9000 + i, STM_GETIMAGE, IMAGE_BITMAP, 0);
        HBITMAP loaded = loadFixture(400 + i);
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(bitmapBits(shown) == bitmapBits(loaded)) << "the board shows another picture";
        DeleteObject(loaded);
    }
    EXPECT_EQ(SendDlgItemMessageA(windows.board, 9004, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    closePlayerWindows(&windows);
    // The board ended the prefetch: the next one starts afresh.
    startPicturePrefetch(self(), "IMG", 402, 1, 260, 260);
    expectTakenAsLoaded(402);
    finishPicturePrefetch();
}
