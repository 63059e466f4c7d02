#include <gtest/gtest.h>
#include <oleacc.h>

#include "win/support/harness.h"

namespace {

class FrameSizeTest : public PlayerTest {};

TEST_F(FrameSizeTest, EveryStyleOpensWithItsThirdColumnWhollyInViewAndNothingToScrollAcrossInACentredFrame) {
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    for (int style = 0; style <= 3; ++style) {
        for (int format = 1; format <= 2; ++format) {
            SCOPED_TRACE(testing::Message() << "style " << style << ", format " << format);
            open(style, 6, format, 2);
            ASSERT_NE(windows.board, nullptr);
            RECT frame, client;
            GetWindowRect(windows.frame, &frame);
            EXPECT_EQ(frame.bottom - frame.top, 650);
            EXPECT_LE(std::abs((frame.left + frame.right) - (desktop.left + desktop.right)), 1);
            EXPECT_LE(std::abs((frame.top + frame.bottom) - (desktop.top + desktop.bottom)), 1);
            // Every control of the first grid row, the third column's too,
            // ends inside the board's client area.
            GetClientRect(windows.board, &client);
            for (HWND child = GetWindow(windows.board, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                const RECT place = placeInParent(child);
                if (place.top < client.bottom) {
                    EXPECT_LE(place.right, client.right) << GetDlgCtrlID(child);
                }
            }
            // The horizontal bar has nothing to scroll: disabled, and paging
            // right leaves the content where it is.
            SCROLLBARINFO bar = {sizeof bar, {}, 0, 0, 0, 0, {}};
            ASSERT_TRUE(GetScrollBarInfo(windows.board, OBJID_HSCROLL, &bar));
            EXPECT_TRUE(bar.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
            SendMessageA(windows.board, WM_HSCROLL, SB_PAGERIGHT, 0);
            EXPECT_EQ(GetScrollPos(windows.board, SB_HORZ), 0);
        }
    }
}

}  // namespace
