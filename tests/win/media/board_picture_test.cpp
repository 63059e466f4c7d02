// Question pictures on the board: decoded ahead of need on other threads,
// the board must show exactly the bitmap the picture loader makes, whatever
// the order in which it takes them, centred in the cell's square; what the
// prefetch does not hold is loaded as before.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "layout/layout.h"
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
void expectTakenAsLoaded(PicturePrefetch* prefetch, int number, int box = 260) {
    SCOPED_TRACE(number);
    HBITMAP taken = takePicture(prefetch, self(), number, "IMG", box, box);
    HBITMAP loaded = loadFixture(number, box);
    EXPECT_EQ(taken != nullptr, loaded != nullptr);
    EXPECT_TRUE(bitmapBits(taken) == bitmapBits(loaded)) << "the pictures differ";
    DeleteObject(taken);
    DeleteObject(loaded);
}

// A picture board, which shows no message.
class PictureBoard : public MediaBoard {
protected:
    void TearDown() override {
        EXPECT_TRUE(capture.messages.empty());
        PlayerTest::TearDown();
    }
    // The picture box of question i holds a w x h bitmap and stands where the
    // layout centres it in the cell's square (the board is not scrolled).
    void expectCentredPicture(int i, int w, int h) {
        SCOPED_TRACE(i);
        EXPECT_EQ(sizeOf(shownPicture(i)), std::to_string(w) + "x" + std::to_string(h));
        RECT place = placeInParent(item(9000 + i));
        Box box = pictureBoxFor(cellGeometry(1, i, 1, quiz.answerMode), w, h);
        EXPECT_EQ(std::make_tuple(place.left, place.top, place.right - place.left, place.bottom - place.top),
                  std::make_tuple(box.x, box.y, w, h));
    }
    // Types text into answer field i and presses Enter.
    void answer(int i, const char* text) {
        SetDlgItemTextA(windows.board, 4000 + i, text);
        SendMessageA(item(4000 + i), WM_KEYUP, VK_RETURN, 0xC0000001);
    }
};

}  // namespace

// 401 to 403 and 408 are JPEG pictures of different sizes, 404 is no
// picture, 405 to 407 are sounds and a video.
TEST(PrefetchedPictures, AreTheLoadersBitmapsPixelForPixelAndNonePicturesStayNull) {
    PicturePrefetch* prefetch = startPicturePrefetch(self(), "IMG", 401, 8, 260, 260);
    ASSERT_NE(prefetch, nullptr);
    Sleep(300);  // the workers claim every picture, so each one taken is theirs
    for (int number = 401; number <= 408; ++number) expectTakenAsLoaded(prefetch, number);
    finishPicturePrefetch(prefetch);
    EXPECT_EQ(takePicture(nullptr, self(), 404, "IMG", 260, 260), nullptr);
}

TEST(PrefetchedPictures, AreTakenInAnyOrderOthersAreLoadedAsBeforeAndLeftOversAreDroppedAtTheEnd) {
    PicturePrefetch* prefetch = startPicturePrefetch(self(), "IMG", 401, 3, 260, 260);
    expectTakenAsLoaded(prefetch, 403);
    expectTakenAsLoaded(prefetch, 401);
    expectTakenAsLoaded(prefetch, 408);       // outside the prefetch
    expectTakenAsLoaded(prefetch, 402, 100);  // another box than the prefetch's
    expectTakenAsLoaded(prefetch, 402);
    finishPicturePrefetch(prefetch);
    prefetch = startPicturePrefetch(self(), "IMG", 401, 8, 260, 260);
    Sleep(50);  // let the workers finish some, then drop the rest
    finishPicturePrefetch(prefetch);
    expectTakenAsLoaded(nullptr, 401);  // without a prefetch: loaded as before
    expectTakenAsLoaded(nullptr, 408);
}

// The pictures start-up prefetched, pixel for pixel the loader's.
TEST_F(PictureBoard, CentresEachFittedPictureInItsSquareAndLeavesAnUnreadableOneEmpty) {
    open(1, 4, 1, 2);  // start-up prefetches the pictures
    const int heights[] = {195, 130, 260};
    for (int i = 1; i <= 3; ++i) {
        expectCentredPicture(i, 260, heights[i - 1]);
        HBITMAP loaded = loadFixture(400 + i);
        EXPECT_TRUE(bitmapBits(shownPicture(i)) == bitmapBits(loaded)) << "question " << i << " shows another picture";
        DeleteObject(loaded);
    }
    EXPECT_EQ(shownPicture(4), nullptr) << "question 4's resource is no picture";
    EXPECT_NE(item(9004), nullptr);
}

TEST_F(PictureBoard, KeepsTheQuestionPictureWhenThereIsNoAnswerPictureOrTheAnswerIsWrong) {
    open(1, 4, 1, 3);
    HBITMAP before = shownPicture(2);
    answer(2, "REPONSE2");  // no resource 10402
    EXPECT_EQ(controlText(windows.board, 5002), "BRAVO");
    EXPECT_EQ(shownPicture(2), before);
    expectCentredPicture(2, 260, 130);
    answer(1, "Lyon");
    EXPECT_NE(controlText(windows.board, 5001), "BRAVO");
    expectCentredPicture(1, 260, 195);
}
