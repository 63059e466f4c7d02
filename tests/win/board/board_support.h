#pragma once
// Reading the board back: its children in creation order with their places
// in the board's client area.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "win/support/harness.h"

struct BoardChild {
    HWND window;
    int id;
    std::string className;
    std::string text;
    DWORD style;
    RECT place;
};

inline std::vector<BoardChild> boardChildren(HWND board) {
    std::vector<BoardChild> children;
    for (HWND child = GetWindow(board, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[64] = "", text[300] = "";
        GetClassNameA(child, className, sizeof className);
        GetWindowTextA(child, text, sizeof text);
        children.push_back(BoardChild{child, GetDlgCtrlID(child), className, text,
                                      static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)), placeInParent(child)});
    }
    return children;
}

// Checks a control's place: x, y, width, height in the board's client area.
inline void expectPlace(HWND control, int x, int y, int width, int height) {
    ASSERT_NE(control, nullptr);
    RECT place = placeInParent(control);
    EXPECT_EQ(place.left, x);
    EXPECT_EQ(place.top, y);
    EXPECT_EQ(place.right - place.left, width);
    EXPECT_EQ(place.bottom - place.top, height);
}

inline DWORD styleOf(HWND control) { return static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)); }

// The board tests share the player fixture.
class BoardTest : public PlayerTest {};
