#include "board_support.h"

#include <stdio.h>

#include <vector>


namespace {

class ScrollingTest : public BoardTest {
protected:
    void SetUp() override {
        open(0, 30, 1, 2);  // content 830 x 775
        resizeBoardClient(600, 500);
    }
    void vertical(int request) { SendMessageA(windows.board, WM_VSCROLL, request, 0); }
    int position(int bar) { return GetScrollPos(windows.board, bar); }
    // Where the first answer field stands now; it was built at 615, 10.
    RECT field() { return placeInParent(item(4001)); }
    // Both bars as "min-max/page", the vertical one first.
    std::string bars() {
        char text[64];
        SCROLLINFO v = {sizeof v, SIF_ALL, 0, 0, 0, 0, 0}, h = v;
        GetScrollInfo(windows.board, SB_VERT, &v);
        GetScrollInfo(windows.board, SB_HORZ, &h);
        snprintf(text, sizeof text, "%d-%d/%u %d-%d/%u", v.nMin, v.nMax, v.nPage, h.nMin, h.nMax, h.nPage);
        return text;
    }
    void resizeBoardClient(int width, int height) { resizeClient(windows.board, width, height); }
};

TEST_F(ScrollingTest, BarsSpanTheContentAndRequestsStepThirtyPixelsDownOneAcrossWithinIt) {
    // Each bar spans the content less two, with a page of the visible part less one.
    EXPECT_EQ(bars(), "0-773/499 0-828/599");
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
        EXPECT_EQ(position(step.bar), step.position);
        if (step.bar == SB_VERT) EXPECT_EQ(field().top, 10 - step.position);
        else EXPECT_EQ(field().left, 615 - step.position);
    }
}

TEST_F(ScrollingTest, ThumbTrackingMovesAndReleaseOrUnknownRequestsDoNot) {
    SCROLLINFO track = {sizeof track, SIF_POS, 0, 0, 0, 0, 0};
    track.nPos = 100;
    SetScrollInfo(windows.board, SB_VERT, &track, FALSE);  // bar moved without the board
    vertical(SB_THUMBPOSITION);
    EXPECT_EQ(field().top, 10);
    vertical(SB_ENDSCROLL);
    vertical(0xFFFF);
    EXPECT_EQ(position(SB_VERT), 100);
    EXPECT_EQ(field().top, 10);
}

TEST_F(ScrollingTest, GrowingTheBoardScrollsTheContentBackIntoPlaceAndContentThatFitsStaysPut) {
    vertical(SB_BOTTOM);
    SendMessageA(windows.board, WM_HSCROLL, SB_PAGERIGHT, 0);
    ASSERT_EQ(position(SB_VERT), 275);
    resizeBoardClient(600, 700);  // the largest position drops to 75
    EXPECT_EQ(position(SB_VERT), 75);
    EXPECT_EQ(field().top, 10 - 75);
    resizeBoardClient(900, 700);  // wide enough: back to the left edge
    EXPECT_EQ(position(SB_HORZ), 0);
    EXPECT_EQ(field().left, 615);
    // Content that fits: the bar stays shown but disabled, and nothing moves.
    open(0, 4, 1, 2);  // content 830 x 125
    resizeBoardClient(900, 400);
    EXPECT_EQ(bars().substr(0, 9), "0-123/124");
    vertical(SB_BOTTOM);
    EXPECT_EQ(position(SB_VERT), 0);
    EXPECT_EQ(field().top, 10);
    const DWORD borderAndBars = WS_BORDER | WS_VSCROLL | WS_HSCROLL;  // both bars stay shown
    EXPECT_EQ(styleOf(windows.board) & borderAndBars, borderAndBars);
}

TEST_F(ScrollingTest, WheelDeltasAddUpToOneLineStepPerNotchPostedInEitherDirection) {
    // The deltas of one turn of the wheel and where the board stands once
    // its posted steps are handled; what a turn leaves over counts in the next.
    const struct { std::vector<short> deltas; int position; } turns[] = {
        {{-120}, 30}, {{-240}, 90},                 // a notch, a fast spin of two
        {{-40, -40, -40}, 120}, {{120}, 90},        // a fine wheel's thirds, a notch back up
        {{-60}, 90}, {{60, 60}, 60},                // half a notch, then a turn the other way
    };
    for (HWND target : {windows.board, windows.frame}) {
        SCOPED_TRACE(target == windows.board ? "board" : "frame");
        vertical(SB_TOP);
        int before = 0;
        for (const auto& turn : turns) {
            for (short delta : turn.deltas) SendMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
            EXPECT_EQ(position(SB_VERT), before) << "posted, not yet handled";
            pumpMessages();
            EXPECT_EQ(position(SB_VERT), turn.position) << turn.deltas[0];
            before = turn.position;
        }
    }
}

TEST_F(ScrollingTest, FrameKeysBecomeVerticalRequestsToTheBoard) {
    const struct { WPARAM key; int position; } keys[] = {
        {VK_NEXT, 275}, {VK_HOME, 0}, {VK_DOWN, 30}, {VK_UP, 0}, {VK_END, 275}, {VK_PRIOR, 0},
        {VK_DOWN, 30},  {VK_LEFT, 30}, {VK_RIGHT, 30}, {'A', 30}};
    for (const auto& k : keys) {
        SendMessageA(windows.frame, WM_KEYDOWN, k.key, 0);
        EXPECT_EQ(position(SB_VERT), k.position) << k.key;
    }
    EXPECT_EQ(position(SB_HORZ), 0);
}

}  // namespace
