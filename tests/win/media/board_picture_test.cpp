#include <gtest/gtest.h>

#include "board/layout.h"
#include "judge/judge.h"
#include "media_support.h"
#include "win/support/harness.h"

namespace {

// The control's rectangle in the board's client coordinates.
RECT placeOnBoard(HWND board, int id) {
    RECT place = {0, 0, 0, 0};
    HWND control = GetDlgItem(board, id);
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, board, (POINT*)&place, 2);
    return place;
}

SIZE shownBitmapSize(HWND board, int id) {
    HBITMAP shown = (HBITMAP)SendDlgItemMessageA(board, id, STM_GETIMAGE, IMAGE_BITMAP, 0);
    BITMAP info;
    ZeroMemory(&info, sizeof info);
    if (shown) GetObjectA(shown, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

// The picture box of question i holds a w x h bitmap and is exactly that
// size, centred in the cell's 260 x 260 square (the board is not scrolled).
void expectCentredPicture(HWND board, int i, int mode, int w, int h) {
    SCOPED_TRACE(i);
    SIZE shown = shownBitmapSize(board, 9000 + i);
    EXPECT_EQ(shown.cx, w);
    EXPECT_EQ(shown.cy, h);
    int squareLeft = gridColumnLeft(i, 1) + 30, squareTop = gridRowBase(i, mode) - 260;
    RECT place = placeOnBoard(board, 9000 + i);
    EXPECT_EQ(place.left, squareLeft + (260 - w) / 2);
    EXPECT_EQ(place.top, squareTop + (260 - h) / 2);
    EXPECT_EQ(place.right - place.left, w);
    EXPECT_EQ(place.bottom - place.top, h);
}

void answer(Quiz* quiz, HWND board, int i, const char* text) {
    SetDlgItemTextA(board, 4000 + i, text);
    judgeAnswer(quiz, board, 4000 + i);
}

}  // namespace

TEST(PictureBoard, CentresEachFittedPictureInItsSquareAndLeavesAnUnreadableOneEmpty) {
    ScratchDirectory folder;
    MessageCapture capture;
    Quiz quiz;
    fillTestQuiz(&quiz, 1, 4, 1, 2);
    PlayerWindows windows = openPlayerWindows(&quiz);
    expectCentredPicture(windows.board, 1, 2, 260, 195);
    expectCentredPicture(windows.board, 2, 2, 260, 130);
    expectCentredPicture(windows.board, 3, 2, 260, 260);
    EXPECT_EQ(SendDlgItemMessageA(windows.board, 9004, STM_GETIMAGE, IMAGE_BITMAP, 0), 0)
        << "question 4's resource is no picture";
    EXPECT_NE(GetDlgItem(windows.board, 9004), nullptr);
    EXPECT_TRUE(capture.messages.empty());
    closePlayerWindows(&windows);
}

TEST(PictureBoard, KeepsTheQuestionPictureWhenThereIsNoAnswerPictureOrTheAnswerIsWrong) {
    ScratchDirectory folder;
    MessageCapture capture;
    Quiz quiz;
    fillTestQuiz(&quiz, 1, 4, 1, 3);
    PlayerWindows windows = openPlayerWindows(&quiz);
    HBITMAP before = (HBITMAP)SendDlgItemMessageA(windows.board, 9002, STM_GETIMAGE, IMAGE_BITMAP, 0);
    answer(&quiz, windows.board, 2, "REPONSE2");  // no resource 10402
    EXPECT_EQ(controlText(windows.board, 5002), "BRAVO");
    EXPECT_EQ((HBITMAP)SendDlgItemMessageA(windows.board, 9002, STM_GETIMAGE, IMAGE_BITMAP, 0), before);
    expectCentredPicture(windows.board, 2, 3, 260, 130);
    answer(&quiz, windows.board, 1, "Lyon");
    EXPECT_NE(controlText(windows.board, 5001), "BRAVO");
    expectCentredPicture(windows.board, 1, 3, 260, 195);
    EXPECT_TRUE(capture.messages.empty());
    closePlayerWindows(&windows);
}
