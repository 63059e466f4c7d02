#include <gtest/gtest.h>

#include <tuple>

#include "board/layout.h"
#include "judge/judge.h"
#include "media_support.h"
#include "win/support/harness.h"

namespace {

// The picture box of question i holds a w x h bitmap and stands where the
// layout centres it in the cell's square (the board is not scrolled).
void expectCentredPicture(HWND board, int i, int mode, int w, int h) {
    SCOPED_TRACE(i);
    EXPECT_EQ(sizeOf((HBITMAP)SendDlgItemMessageA(board, 9000 + i, STM_GETIMAGE, IMAGE_BITMAP, 0)),
              std::to_string(w) + "x" + std::to_string(h));
    RECT place = placeInParent(GetDlgItem(board, 9000 + i));
    Box box = pictureBoxFor(cellGeometry(1, i, 1, mode), w, h);
    EXPECT_EQ(std::make_tuple(place.left, place.top, place.right - place.left, place.bottom - place.top),
              std::make_tuple(box.x, box.y, w, h));
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
