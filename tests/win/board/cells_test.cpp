#include "board_support.h"

#include "app/app.h"
#include "judge/answerfield.h"

namespace {

const DWORD NumberStyle = 0x50000002, QuestionStyle = 0x50800001, AnswerStyle = 0x50810081,
            VerdictStyle = 0x50810001, ButtonStyle = 0x50010041, RevealStyle = 0x50010001,
            PictureStyle = 0x5080020E, VideoStyle = 0x50800000, CaptionStyle = 0x50000000;

TEST_F(BoardTest, TemplateIsAnEmptyBorderedChildWithBothScrollBars) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1001), MAKEINTRESOURCEA(5));  // RT_DIALOG
    ASSERT_NE(found, nullptr);
    const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    DWORD templateStyle = 0;
    memcpy(&templateStyle, bytes + 12, sizeof templateStyle);  // DLGTEMPLATEEX: version, signature, help, exStyle
    EXPECT_EQ(templateStyle, 0x40B00040u);
    open(0, 0, 1, 2);
    // Shown by the harness; the dialog manager adds DS_3DLOOK to every dialog.
    EXPECT_EQ(styleOf(windows.board) & ~static_cast<DWORD>(WS_VISIBLE | DS_3DLOOK), 0x40B00040u);
    EXPECT_EQ(GetParent(windows.board), windows.frame);
    EXPECT_EQ(appBoard, windows.board);
    EXPECT_EQ(GetWindow(windows.board, GW_CHILD), nullptr);
}

TEST_F(BoardTest, TextRowsAreBuiltCellByCellInCreationOrder) {
    open(0, 3, 1, 2);
    std::vector<BoardChild> children = boardChildren(windows.board);
    ASSERT_EQ(children.size(), 12u);
    for (int i = 1; i <= 3; ++i) {
        SCOPED_TRACE(i);
        const BoardChild* cell = &children[4 * (i - 1)];
        int y = 25 * i - 15;
        EXPECT_EQ(cell[0].id, 3000);
        EXPECT_EQ(cell[0].className, "Static");
        EXPECT_EQ(cell[0].text, "Question " + std::to_string(i));
        EXPECT_EQ(cell[0].style, QuestionStyle);
        expectPlace(cell[0].window, 50, y, 550, 20);
        EXPECT_EQ(cell[1].id, 153);
        EXPECT_EQ(cell[1].text, std::to_string(i) + ".");
        EXPECT_EQ(cell[1].style, NumberStyle);
        expectPlace(cell[1].window, 30, y + 3, 19, 17);
        EXPECT_EQ(cell[2].id, 4000 + i);
        EXPECT_EQ(cell[2].className, "Edit");
        // The edit control draws its border itself and drops WS_BORDER.
        EXPECT_EQ(cell[2].style & ~static_cast<DWORD>(WS_BORDER | 0xFF00), AnswerStyle & ~static_cast<DWORD>(WS_BORDER | 0xFF00));
        expectPlace(cell[2].window, 615, y, 100, 20);
        EXPECT_EQ(cell[3].id, 5000 + i);
        EXPECT_EQ(cell[3].style, VerdictStyle);
        expectPlace(cell[3].window, 720, y - 1, 90, 20);
    }
    HGDIOBJ gui = GetStockObject(DEFAULT_GUI_FONT);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(children[0].window, WM_GETFONT, 0, 0)), gui);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(children[2].window, WM_GETFONT, 0, 0)), gui);
    EXPECT_EQ(SendMessageA(children[1].window, WM_GETFONT, 0, 0), 0);  // number label: system font
    EXPECT_EQ(SendMessageA(children[3].window, WM_GETFONT, 0, 0), 0);  // verdict with one field
}

TEST_F(BoardTest, CaptionsWithPercentSignsAreShownAsStored) {
    fillTestQuiz(&quiz, 0, 1, 1, 2);
    copyText(quiz.firstQuestion->caption, "100 % de %d %s");
    windows = openPlayerWindows(&quiz);
    EXPECT_EQ(controlText(windows.board, 3000), "100 % de %d %s");
}

TEST_F(BoardTest, TwoAnswersAQuestionNumberTheFieldsQuestionByQuestion) {
    open(2, 4, 2, 2);
    for (int k = 1; k <= 8; ++k) {
        SCOPED_TRACE(k);
        EXPECT_NE(item(4000 + k), nullptr);
        EXPECT_NE(item(5000 + k), nullptr);
    }
    EXPECT_EQ(item(4009), nullptr);
    // Question 3: fields 4005 and 4006, stacked, each with its verdict beside it.
    int x = 580 + 90, y = 20;
    expectPlace(item(4005), x + 50, y, 170, 21);
    expectPlace(item(4006), x + 50, y + 20, 170, 21);
    expectPlace(item(5005), x + 50 + 175, y + 1, 60, 17);
    expectPlace(item(5006), x + 50 + 175, y + 21, 60, 17);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(item(5006), WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
}

TEST_F(BoardTest, RowCaptionsComeFirstOnePairPerGridRow) {
    open(1, 4, 2, 4);
    std::vector<BoardChild> children = boardChildren(windows.board);
    ASSERT_GE(children.size(), 4u);
    const char* texts[4] = {"Ligne 1", "Ligne 2", "Ligne 1", "Ligne 2"};
    const int tops[4] = {280 + 12, 280 + 32, 610 + 12, 610 + 32};
    for (int n = 0; n < 4; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(children[n].id, 156);
        EXPECT_EQ(children[n].text, texts[n]);
        EXPECT_EQ(children[n].style, CaptionStyle);
        expectPlace(children[n].window, 3, tops[n], 95, 20);
    }
    EXPECT_EQ(children[4].id, 9001);
}

TEST_F(BoardTest, RowCaptionsOfTextRowsAndVideoRowsStandBesideTheirOwnRow) {
    open(0, 4, 2, 2);
    std::vector<BoardChild> children = boardChildren(windows.board);
    ASSERT_GE(children.size(), 4u);
    expectPlace(children[0].window, 3, 10, 26, 20);
    expectPlace(children[1].window, 3, 30, 26, 20);
    expectPlace(children[2].window, 3, 85, 26, 20);
    expectPlace(children[3].window, 3, 105, 26, 20);
}

TEST_F(BoardTest, PictureCellsWithoutPicturesFillTheirSquareAndRevealBelowTheAnswer) {
    open(1, 5, 1, 2);
    for (int i = 1; i <= 5; ++i) {
        SCOPED_TRACE(i);
        int x = (i - 1) % 3 * 290, y = (i - 1) / 3 * 390 + 280;
        HWND picture = item(9000 + i);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(styleOf(picture), PictureStyle);
        expectPlace(picture, x + 30, y - 260, 260, 260);
        EXPECT_EQ(styleOf(item(8000 + i)), RevealStyle);
        expectPlace(item(8000 + i), x + 30, y + 56, 260, 65);
        expectPlace(item(4000 + i), x + 30, y + 10, 260, 20);
        expectPlace(item(5000 + i), x + 30, y + 29, 260, 20);
    }
    std::vector<BoardChild> children = boardChildren(windows.board);
    ASSERT_GE(children.size(), 5u);
    EXPECT_EQ(children[0].id, 9001);
    EXPECT_EQ(children[0].className, "Static");
    EXPECT_EQ(children[1].id, 8001);
    EXPECT_EQ(children[2].id, 153);
    expectPlace(children[2].window, 10, 292, 19, 17);
}

TEST_F(BoardTest, PictureCellsGetARevealBoxOnlyWhenTheModeRevealsText) {
    open(1, 2, 1, 1);
    EXPECT_EQ(item(8001), nullptr);
    closePlayerWindows(&windows);
    open(1, 4, 1, 4);
    ASSERT_NE(item(8004), nullptr);
    expectPlace(item(8004), 30, 330 + 280 + 56, 260, 65);  // pitch 330 in mode 4
}

TEST_F(BoardTest, SoundCellsHavePlayAndStopButtonsWithTheirIcons) {
    open(2, 4, 1, 2);
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        int x = (i - 1) % 3 * 290, y = (i - 1) / 3 * 80 + 20;
        HWND play = item(6000 + i), stop = item(7000 + i);
        ASSERT_NE(play, nullptr);
        ASSERT_NE(stop, nullptr);
        EXPECT_EQ(styleOf(play), ButtonStyle);
        EXPECT_EQ(styleOf(stop), ButtonStyle);
        expectPlace(play, x + 30, y, 20, 21);
        expectPlace(stop, x + 30, y + 21, 20, 20);
        expectPlace(item(4000 + i), x + 50, y, 220, 20);
        expectPlace(item(5000 + i), x + 50, y + 19, 220, 20);
        EXPECT_NE(SendMessageA(play, BM_GETIMAGE, IMAGE_ICON, 0), 0);
        EXPECT_NE(SendMessageA(play, BM_GETIMAGE, IMAGE_ICON, 0), SendMessageA(stop, BM_GETIMAGE, IMAGE_ICON, 0));
    }
    std::vector<BoardChild> children = boardChildren(windows.board);
    EXPECT_EQ(children[0].id, 6001);
    EXPECT_EQ(children[0].className, "Button");
    EXPECT_EQ(children[1].id, 7001);
    EXPECT_EQ(children[2].id, 153);
    expectPlace(children[2].window, 10, 22, 19, 17);
}

TEST_F(BoardTest, VideoCellsStackPlayerButtonsAndAnswer) {
    open(3, 2, 1, 1);
    if (!windows.board) GTEST_SKIP() << "atl.dll is not available";
    std::vector<BoardChild> children = boardChildren(windows.board);
    ASSERT_GE(children.size(), 6u);
    EXPECT_EQ(children[0].id, 6001);
    EXPECT_EQ(children[1].id, 7001);
    EXPECT_EQ(children[2].id, 9901);
    EXPECT_EQ(children[2].style & 0xFFFF0000, VideoStyle);
    const int y = 280;
    expectPlace(item(6001), 15, y - 40, 20, 20);
    expectPlace(item(7001), 15, y - 20, 20, 20);
    expectPlace(item(9901), 15, y - 250, 200, 150);
    expectPlace(item(4001), 35, y - 40, 230, 20);
    expectPlace(item(5001), 35, y - 21, 230, 20);
    expectPlace(item(9902), 290 + 15, y - 250, 200, 150);
}

TEST_F(BoardTest, UnknownStyleIsLaidOutAsTextRows) {
    open(6, 3, 1, 2);
    EXPECT_EQ(contentWidth, 830);
    EXPECT_EQ(contentHeight, 100);
    expectPlace(item(4003), 615, 60, 100, 20);
    EXPECT_EQ(controlText(windows.board, 3000), "Question 1");
}

TEST_F(BoardTest, UnsupportedFormatBuildsNumberLabelsOnly) {
    open(0, 2, 3, 2);
    EXPECT_EQ(item(4001), nullptr);
    EXPECT_EQ(item(5001), nullptr);
    EXPECT_EQ(boardChildren(windows.board).size(), 4u);  // question and number labels
}

TEST_F(BoardTest, ContentSizeFollowsStyleCountFormatAndMode) {
    open(0, 10, 1, 2);
    EXPECT_EQ(contentWidth, 830);
    EXPECT_EQ(contentHeight, 275);
    closePlayerWindows(&windows);
    open(1, 10, 1, 2);
    EXPECT_EQ(contentWidth, 890);
    EXPECT_EQ(contentHeight, 1585);
    closePlayerWindows(&windows);
    open(1, 10, 2, 4);
    EXPECT_EQ(contentWidth, 980);
    EXPECT_EQ(contentHeight, 1345);
    closePlayerWindows(&windows);
    open(2, 2, 2, 2);
    EXPECT_EQ(contentWidth, 830);
    EXPECT_EQ(contentHeight, 100);
}

TEST_F(BoardTest, AnswerFieldsRunTheAnswerProcedureAndKeepTheEditOne) {
    open(0, 2, 2, 2);
    for (int id : {4001, 4004}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(item(id), GWLP_WNDPROC)), answerFieldProc);
    }
    ASSERT_NE(editProcedure, nullptr);
    EXPECT_NE(editProcedure, answerFieldProc);
}

}  // namespace
