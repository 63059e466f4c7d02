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

TEST_F(ScrollingTest, RequestsStepThirtyPixelsDownOneAcrossAndStayWithinTheContent) {
    open(0, 30, 1, 2);  // content 830 x 775 in a 600 x 500 view
    resizeBoardClient(600, 500);
    const struct { int bar, request, position; } steps[] = {
        {SB_VERT, SB_LINEDOWN, 30},  {SB_VERT, SB_LINEUP, 0},     {SB_VERT, SB_LINEUP, 0},
        {SB_VERT, SB_PAGEDOWN, 275},  // 499 limited to 775 - 500
        {SB_VERT, SB_PAGEUP, 0},     {SB_VERT, SB_BOTTOM, 275},  {SB_VERT, SB_LINEDOWN, 275},
        {SB_VERT, SB_TOP, 0},        {SB_HORZ, SB_LINERIGHT, 1}, {SB_HORZ, SB_LINERIGHT, 2},
        {SB_HORZ, SB_LINELEFT, 1},   {SB_HORZ, SB_PAGERIGHT, 230},  // 830 - 600
        {SB_HORZ, SB_LEFT, 230},     {SB_HORZ, SB_PAGELEFT, 0},  // top and bottom mean nothing across
        {SB_HORZ, SB_RIGHT, 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << step.bar << " " << step.request);
        SendMessageA(windows.board, step.bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, step.request, 0);
        EXPECT_EQ(position(windows.board, step.bar), step.position);
        if (step.bar == SB_VERT) EXPECT_EQ(fieldTop(windows.board), 10 - step.position);
        else EXPECT_EQ(fieldLeft(windows.board), 615 - step.position);
    }
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
    const struct { WPARAM key; int position; } keys[] = {
        {VK_NEXT, 275}, {VK_HOME, 0}, {VK_DOWN, 30}, {VK_UP, 0}, {VK_END, 275}, {VK_PRIOR, 0},
        {VK_DOWN, 30},  {VK_LEFT, 30}, {VK_RIGHT, 30}, {'A', 30}};
    for (const auto& k : keys) {
        SendMessageA(windows.frame, WM_KEYDOWN, k.key, 0);
        EXPECT_EQ(position(windows.board, SB_VERT), k.position) << k.key;
    }
    EXPECT_EQ(position(windows.board, SB_HORZ), 0);
}

}  // namespace
