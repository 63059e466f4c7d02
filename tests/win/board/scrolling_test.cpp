#include "board_support.h"

#include "app/app.h"

namespace {

SCROLLINFO barInfo(HWND board, int bar) {
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(board, bar, &info);
    return info;
}

int position(HWND board, int bar) { return GetScrollPos(board, bar); }

// Where the first answer field stands now, relative to where it was built.
int fieldTop(HWND board) { return placeInParent(GetDlgItem(board, 4001)).top; }
int fieldLeft(HWND board) { return placeInParent(GetDlgItem(board, 4001)).left; }

class ScrollingTest : public BoardTest {
protected:
    void vertical(int request) { SendMessageA(windows.board, WM_VSCROLL, request, 0); }
    void horizontal(int request) { SendMessageA(windows.board, WM_HSCROLL, request, 0); }
    // Makes the board's client area exactly width x height.
    void resizeBoardClient(int width, int height) {
        RECT client, outer;
        GetClientRect(windows.board, &client);
        GetWindowRect(windows.board, &outer);
        SetWindowPos(windows.board, nullptr, 0, 0, outer.right - outer.left + width - client.right,
                     outer.bottom - outer.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
        pumpMessages();
    }
};

TEST_F(ScrollingTest, BarsSpanTheContentLessTwoWithAPageOfTheVisibleLessOne) {
    open(0, 30, 1, 2);  // content 830 x 775
    resizeBoardClient(600, 500);
    SCROLLINFO v = barInfo(windows.board, SB_VERT);
    EXPECT_EQ(v.nMin, 0);
    EXPECT_EQ(v.nMax, 773);
    EXPECT_EQ(v.nPage, 499u);
    SCROLLINFO h = barInfo(windows.board, SB_HORZ);
    EXPECT_EQ(h.nMax, 828);
    EXPECT_EQ(h.nPage, 599u);
    vertical(SB_BOTTOM);
    EXPECT_EQ(position(windows.board, SB_VERT), 275);
    EXPECT_EQ(fieldTop(windows.board), 10 - 275);
}

TEST_F(ScrollingTest, LineStepsAreThirtyPixelsDownAndOnePixelAcross) {
    open(0, 30, 1, 2);
    resizeBoardClient(600, 500);
    vertical(SB_LINEDOWN);
    EXPECT_EQ(position(windows.board, SB_VERT), 30);
    EXPECT_EQ(fieldTop(windows.board), 10 - 30);
    vertical(SB_LINEUP);
    EXPECT_EQ(position(windows.board, SB_VERT), 0);
    horizontal(SB_LINERIGHT);
    horizontal(SB_LINERIGHT);
    EXPECT_EQ(position(windows.board, SB_HORZ), 2);
    EXPECT_EQ(fieldLeft(windows.board), 615 - 2);
    horizontal(SB_LINELEFT);
    EXPECT_EQ(position(windows.board, SB_HORZ), 1);
}

TEST_F(ScrollingTest, PagesTopBottomAndThumbStayWithinTheContent) {
    open(0, 30, 1, 2);
    resizeBoardClient(600, 500);
    vertical(SB_PAGEDOWN);
    EXPECT_EQ(position(windows.board, SB_VERT), 275);  // 499 limited to 775 - 500
    vertical(SB_PAGEUP);
    EXPECT_EQ(position(windows.board, SB_VERT), 0);
    vertical(SB_LINEUP);
    EXPECT_EQ(position(windows.board, SB_VERT), 0);
    vertical(SB_BOTTOM);
    vertical(SB_LINEDOWN);
    EXPECT_EQ(position(windows.board, SB_VERT), 275);
    vertical(SB_TOP);
    EXPECT_EQ(position(windows.board, SB_VERT), 0);
    EXPECT_EQ(fieldTop(windows.board), 10);
    // Top and bottom mean nothing across; page steps do.
    horizontal(SB_PAGERIGHT);
    EXPECT_EQ(position(windows.board, SB_HORZ), 230);  // 830 - 600
    horizontal(SB_LEFT);
    EXPECT_EQ(position(windows.board, SB_HORZ), 230);
    horizontal(SB_PAGELEFT);
    EXPECT_EQ(position(windows.board, SB_HORZ), 0);
    horizontal(SB_RIGHT);
    EXPECT_EQ(position(windows.board, SB_HORZ), 0);
}

TEST_F(ScrollingTest, ThumbTrackingMovesAndReleaseOrUnknownRequestsDoNot) {
    open(0, 30, 1, 2);
    resizeBoardClient(600, 500);
    SCROLLINFO track = {sizeof track, SIF_POS, 0, 0, 0, 0, 0};
    track.nPos = 100;
    SetScrollInfo(windows.board, SB_VERT, &track, FALSE);  // bar moved without the board
    vertical(SB_THUMBPOSITION);
    EXPECT_EQ(fieldTop(windows.board), 10);
    vertical(SB_ENDSCROLL);
    vertical(0xFFFF);
    EXPECT_EQ(position(windows.board, SB_VERT), 100);
    EXPECT_EQ(fieldTop(windows.board), 10);
}

TEST_F(ScrollingTest, ContentThatFitsDisablesTheBarAndStaysPut) {
    open(0, 4, 1, 2);  // content 830 x 125
    resizeBoardClient(900, 400);
    SCROLLINFO v = barInfo(windows.board, SB_VERT);
    EXPECT_EQ(v.nPage, 124u);
    EXPECT_EQ(v.nMax, 123);
    vertical(SB_BOTTOM);
    EXPECT_EQ(position(windows.board, SB_VERT), 0);
    EXPECT_EQ(fieldTop(windows.board), 10);
    EXPECT_NE(styleOf(windows.board) & WS_VSCROLL, 0u);  // still shown, disabled
}

TEST_F(ScrollingTest, GrowingTheBoardScrollsTheContentBackIntoPlace) {
    open(0, 30, 1, 2);
    resizeBoardClient(600, 500);
    vertical(SB_BOTTOM);
    horizontal(SB_PAGERIGHT);
    ASSERT_EQ(position(windows.board, SB_VERT), 275);
    resizeBoardClient(600, 700);  // the largest position drops to 75
    EXPECT_EQ(position(windows.board, SB_VERT), 75);
    EXPECT_EQ(fieldTop(windows.board), 10 - 75);
    resizeBoardClient(900, 700);  // wide enough: back to the left edge
    EXPECT_EQ(position(windows.board, SB_HORZ), 0);
    EXPECT_EQ(fieldLeft(windows.board), 615);
}

TEST_F(ScrollingTest, OnlySingleWheelNotchesScrollAndOnlyOnceHandledFromTheQueue) {
    open(0, 30, 1, 2);
    resizeBoardClient(600, 500);
    for (HWND target : {windows.board, windows.frame}) {
        SCOPED_TRACE(target == windows.board ? "board" : "frame");
        vertical(SB_TOP);
        SendMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
        EXPECT_EQ(position(windows.board, SB_VERT), 0);  // posted, not yet handled
        pumpMessages();
        EXPECT_EQ(position(windows.board, SB_VERT), 30);
        SendMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
        SendMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0);
        pumpMessages();
        EXPECT_EQ(position(windows.board, SB_VERT), 30);
        SendMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
        pumpMessages();
        EXPECT_EQ(position(windows.board, SB_VERT), 0);
    }
}

TEST_F(ScrollingTest, FrameKeysBecomeVerticalRequestsToTheBoard) {
    open(0, 30, 1, 2);
    resizeBoardClient(600, 500);
    SendMessageA(windows.frame, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(position(windows.board, SB_VERT), 275);
    SendMessageA(windows.frame, WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(position(windows.board, SB_VERT), 0);
    SendMessageA(windows.frame, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(position(windows.board, SB_VERT), 30);
    SendMessageA(windows.frame, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(position(windows.board, SB_VERT), 0);
    SendMessageA(windows.frame, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(position(windows.board, SB_VERT), 275);
    SendMessageA(windows.frame, WM_KEYDOWN, VK_PRIOR, 0);
    EXPECT_EQ(position(windows.board, SB_VERT), 0);
    SendMessageA(windows.frame, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(windows.frame, WM_KEYDOWN, VK_LEFT, 0);
    SendMessageA(windows.frame, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(windows.frame, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(position(windows.board, SB_VERT), 30);
    EXPECT_EQ(position(windows.board, SB_HORZ), 0);
}

}  // namespace
