#include "board_support.h"

#include <commctrl.h>

#include <algorithm>

#include "layout/layout.h"

namespace {

// Labels of the quiz's own texts carry SS_NOPREFIX (0x80).
const DWORD NumberStyle = 0x50000002, QuestionStyle = 0x50800081, AnswerStyle = 0x50810081,
            VerdictStyle = 0x50810001, ButtonStyle = 0x50010041, RevealStyle = 0x50010081,
            PictureStyle = 0x5080020E, VideoStyle = 0x50800000, CaptionStyle = 0x50000080;

void expectAt(HWND control, const Box& box) { expectPlace(control, box.x, box.y, box.width, box.height); }

TEST_F(BoardTest, TextRowsAreBuiltCellByCellInCreationOrder) {
    open(0, 3, 1, 2);
    std::vector<BoardChild> children = boardChildren(windows.board);
    ASSERT_EQ(children.size(), 12u);
    for (int i = 1; i <= 3; ++i) {
        CellGeometry cell = cellGeometry(0, i, 1, 2);
        // The edit control draws its border itself and drops WS_BORDER. The
        // number label and the verdict of a single field keep the system font.
        const struct { int id; const char* className; std::string text; DWORD style, ignored; const Box& box; bool gui; }
            expected[] = {{3000, "Static", "Question " + std::to_string(i), QuestionStyle, 0, cell.questionLabel, true},
                          {153, "Static", std::to_string(i) + ".", NumberStyle, 0, cell.numberLabel, false},
                          {4000 + i, "Edit", "", AnswerStyle, WS_BORDER | 0xFF00, cell.answerFields[0], true},
                          {5000 + i, "Static", "?", VerdictStyle, 0, cell.verdictLabels[0], false}};
        for (int n = 0; n < 4; ++n) {
            const BoardChild& child = children[4 * (i - 1) + n];
            SCOPED_TRACE(testing::Message() << "cell " << i << ", id " << expected[n].id);
            EXPECT_EQ(child.id, expected[n].id);
            EXPECT_EQ(child.className, expected[n].className);
            // The answer field's text comes from the results file.
            EXPECT_TRUE(n == 2 || child.text == expected[n].text) << child.text;
            EXPECT_EQ(child.style & ~expected[n].ignored, expected[n].style & ~expected[n].ignored);
            expectAt(child.window, expected[n].box);
            EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(child.window, WM_GETFONT, 0, 0)),
                      expected[n].gui ? GetStockObject(DEFAULT_GUI_FONT) : nullptr);
        }
    }
}

TEST_F(BoardTest, TextRowsWithTwoAnswersKeepEachQuestionInItsRowAndShowEachFieldsCaptionInTheField) {
    open(0, 4, 2, 2);
    SCROLLINFO range = {sizeof range, SIF_RANGE, 0, 0, 0, 0, 0};
    GetScrollInfo(windows.board, SB_VERT, &range);
    // Per question its label, its number, then each field and its verdict;
    // no row caption label beside the rows.
    std::vector<BoardChild> cells = boardChildren(windows.board);
    ASSERT_EQ(cells.size(), 4u * 6);
    int previousBottom = 0;
    for (size_t i = 0; i + 6 <= cells.size(); i += 6) {
        SCOPED_TRACE(i / 6 + 1);
        int top = cells[i].place.top, bottom = 0;
        for (size_t n = i; n < i + 6; ++n) {
            top = std::min<int>(top, cells[n].place.top);
            bottom = std::max<int>(bottom, cells[n].place.bottom);
        }
        EXPECT_GE(top, previousBottom) << "overlaps the question above";
        previousBottom = bottom;
        for (int j = 0; j < 2; ++j) {
            WCHAR cue[64] = L"";
            SendMessageW(cells[i + 2 + 2 * j].window, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 64);
            EXPECT_STREQ(cue, j ? L"Ligne 2" : L"Ligne 1");
        }
        // Both fields are empty: only their captions tell them apart.
        EXPECT_FALSE(paintedPixels(cells[i + 2].window) == paintedPixels(cells[i + 4].window)) << "captions drawn";
    }
    EXPECT_LE(previousBottom, range.nMax + 2) << "the last question ends within the content";
}

TEST_F(BoardTest, ASolvedPictureGridShowingEveryTextAtTheEndKeepsEachTextClearOfTheRowBelowAndWithinReach) {
    open(1, 6, 1, 4);
    for (int i = 1; i <= 6; ++i) {
        SetWindowTextA(item(4000 + i), ("reponse" + std::to_string(i)).c_str());
        SendMessageA(item(4000 + i), WM_KEYUP, VK_RETURN, 0xC0000001);
    }
    ASSERT_EQ(controlText(windows.board, 8006), "Revele 6");
    for (int i = 1; i <= 3; ++i)  // pictures 5 and 6 are no pictures: their boxes fill the square
        EXPECT_LE(placeInParent(item(8000 + i)).bottom, placeInParent(item(9003 + i)).top) << i;
    SendMessageA(windows.board, WM_VSCROLL, SB_BOTTOM, 0);
    RECT client;
    GetClientRect(windows.board, &client);
    EXPECT_LE(placeInParent(item(8006)).bottom, client.bottom) << "the last text can be scrolled to";
}

TEST_F(BoardTest, CaptionsWithPercentSignsAreShownAsStored) {
    fillWindowTestQuiz(&quiz, 0, 1, 1, 2);
    copyText(quiz.firstQuestion->caption, "100 % de %d %s");
    windows = openPlayerWindows(&player, &quiz);
    EXPECT_EQ(controlText(windows.board, 3000), "100 % de %d %s");
}

// Every cell's controls stand where the layout (core_board) places them.
TEST_F(BoardTest, EachStyleBuildsEveryCellsControlsWhereTheLayoutPlacesThem) {
    const struct { int style, count, format, mode; } boards[] = {
        {0, 4, 2, 2}, {1, 5, 1, 2}, {1, 4, 1, 4}, {1, 4, 2, 3}, {2, 4, 1, 2}, {2, 4, 2, 2}, {3, 2, 1, 1}};
    for (const auto& b : boards) {
        SCOPED_TRACE(testing::Message() << "style " << b.style << " format " << b.format << " mode " << b.mode);
        open(b.style, b.count, b.format, b.mode);
        if (!windows.board) {
            ADD_FAILURE() << "no board (atl.dll missing for video?)";
            continue;
        }
        for (int i = 1; i <= b.count; ++i) {
            SCOPED_TRACE(i);
            CellGeometry cell = cellGeometry(b.style, i, b.format, b.mode);
            const struct { int id; const Box& box; DWORD style; } controls[] = {
                {9000 + i, cell.pictureSquare, PictureStyle}, {8000 + i, cell.revealBox, RevealStyle},
                {6000 + i, cell.playButton, ButtonStyle},     {7000 + i, cell.stopButton, ButtonStyle},
                {9900 + i, cell.videoBox, VideoStyle}};
            for (const auto& c : controls) {
                if (c.box.width == 0) {
                    EXPECT_EQ(item(c.id), nullptr) << c.id;
                    continue;
                }
                expectAt(item(c.id), c.box);
                EXPECT_EQ(styleOf(item(c.id)) & (c.id > 9900 ? 0xFFFF0000 : 0xFFFFFFFF), c.style) << c.id;
            }
            for (int j = 0; j < b.format; ++j) {
                int k = (i - 1) * b.format + j + 1;
                expectAt(item(4000 + k), cell.answerFields[j]);
                expectAt(item(5000 + k), cell.verdictLabels[j]);
            }
        }
        EXPECT_EQ(item(4000 + b.count * b.format + 1), nullptr);
        if (b.style == 2) {
            INT_PTR play = SendMessageA(item(6001), BM_GETIMAGE, IMAGE_ICON, 0);
            EXPECT_NE(play, 0);
            EXPECT_NE(play, SendMessageA(item(7001), BM_GETIMAGE, IMAGE_ICON, 0));
        }
    }
}

TEST_F(BoardTest, MediaCellsAndRowCaptionsAreCreatedInTheirOrder) {
    // Row captions first, one pair per grid row; then each cell's media controls, then its number.
    const struct { int style, format, mode; std::vector<int> ids; } boards[] = {
        {1, 1, 2, {9001, 8001, 153}}, {2, 1, 2, {6001, 7001, 153}}, {3, 1, 1, {6001, 7001, 9901}},
        {1, 2, 4, {156, 156, 156, 156, 9001}}};
    for (const auto& b : boards) {
        SCOPED_TRACE(b.style);
        open(b.style, 4, b.format, b.mode);
        ASSERT_NE(windows.board, nullptr);
        std::vector<BoardChild> children = boardChildren(windows.board);
        ASSERT_GE(children.size(), b.ids.size());
        for (size_t n = 0; n < b.ids.size(); ++n) EXPECT_EQ(children[n].id, b.ids[n]) << n;
        for (int n = 0; b.format == 2 && n < 4; ++n) {
            expectAt(children[n].window, rowCaptionBox(b.style, 1 + 3 * (n / 2), n % 2, b.mode));
            EXPECT_EQ(children[n].text, n % 2 ? "Ligne 2" : "Ligne 1");
            EXPECT_EQ(children[n].style, CaptionStyle);
        }
    }
}

TEST_F(BoardTest, UnknownStyleIsLaidOutAsTextRows) {
    open(6, 3, 1, 2);
    // Content of 830 x 100: each bar spans it less two.
    SCROLLINFO across = {sizeof across, SIF_RANGE, 0, 0, 0, 0, 0}, down = across;
    GetScrollInfo(windows.board, SB_HORZ, &across);
    GetScrollInfo(windows.board, SB_VERT, &down);
    EXPECT_EQ(across.nMax, 828);
    EXPECT_EQ(down.nMax, 98);
    expectPlace(item(4003), 615, 60, 100, 20);
    EXPECT_EQ(controlText(windows.board, 3000), "Question 1");
}

TEST_F(BoardTest, UnsupportedFormatBuildsNumberLabelsOnly) {
    open(0, 2, 3, 2);
    EXPECT_EQ(item(4001), nullptr);
    EXPECT_EQ(item(5001), nullptr);
    EXPECT_EQ(boardChildren(windows.board).size(), 4u);  // question and number labels
    EXPECT_EQ(controlText(windows.frame, 157), " xxxxxx") << "nothing judged, so the code was never counted";
}

}  // namespace
