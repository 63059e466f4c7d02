#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "app/frame.h"
#include "win/support/harness.h"

namespace {

struct Child {
    HWND window;
    int id;
    std::string text;
    RECT place;  // in the frame's client area
    DWORD style;
};

BOOL CALLBACK collectChild(HWND child, LPARAM data) {
    auto* children = reinterpret_cast<std::vector<Child>*>(data);
    HWND parent = GetParent(child);
    char text[300] = "";
    GetWindowTextA(child, text, sizeof text);
    RECT place;
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    children->push_back(Child{child, GetDlgCtrlID(child), text, place, static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE))});
    return TRUE;
}

// The frame's own statics, in creation order (the board is left out).
std::vector<Child> headerControls(HWND frame) {
    std::vector<Child> children;
    for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = "";
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Static") == 0) collectChild(child, reinterpret_cast<LPARAM>(&children));
    }
    return children;
}

COLORREF brushColour(HBRUSH brush) {
    LOGBRUSH info = {};
    GetObjectA(brush, sizeof info, &info);
    return info.lbColor;
}

class FrameWindowTest : public ::testing::Test {
protected:
    Quiz quiz;
    PlayerWindows windows = {};
    void open(int style, int count, int format = 1, int mode = 2) {
        fillTestQuiz(&quiz, style, count, format, mode);
        windows = openPlayerWindows(&quiz);
    }
    void TearDown() override { closePlayerWindows(&windows); }
};

TEST_F(FrameWindowTest, HeaderHoldsThirteenStaticsWithTheirIdsTextsAndPlaces) {
    open(0, 0);  // no answer field, so the judge leaves the creation texts alone
    std::vector<Child> header = headerControls(windows.frame);
    ASSERT_EQ(header.size(), 13u);
    // Z order is creation order except the version line, which the frame's
    // sizing brings to the top.
    struct Expected {
        int id;
        const char* text;
        int x, y, width, height;
        DWORD style;
        int font;  // 1 the GUI font, 0 the system font, -1 its own
    };
    const Expected expected[12] = {
        {1, "", 5, 2, 100, 24, WS_CHILD | WS_VISIBLE | WS_BORDER, 0},
        {2, "", 5, 25, 100, 22, WS_CHILD | WS_VISIBLE | WS_BORDER, 0},
        {3, "", 104, 2, 623, 45, WS_CHILD | WS_VISIBLE | WS_BORDER, 0},
        {4, "", 726, 2, 130, 45, WS_CHILD | WS_VISIBLE | WS_BORDER, 0},
        {151, " Code :", 10, 29, 36, 15, WS_CHILD | WS_VISIBLE, 1},
        {157, " xxxxxx", 47, 28, 55, 16, WS_CHILD | WS_VISIBLE, 1},
        {150, " 0 / 0", 10, 5, 90, 18, WS_CHILD | WS_VISIBLE | SS_CENTER, 0},
        {154, "www.quizz.example", 736, 5, 115, 18, WS_CHILD | WS_VISIBLE | SS_NOTIFY, -1},
        {150, "Par :", 736, 25, 27, 18, WS_CHILD | WS_VISIBLE, -1},
        {150, "Auteur", 763, 25, 85, 18, WS_CHILD | WS_VISIBLE, -1},
        {150, "Titre", 110, 3, 220, 18, WS_CHILD | WS_VISIBLE, -1},
        {150, "Explication", 110, 19, 580, 27, WS_CHILD | WS_VISIBLE, -1},
    };
    EXPECT_EQ(header[0].id, 8000);
    EXPECT_EQ(SendMessageA(header[0].window, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
    for (int n = 0; n < 12; ++n) {
        const Child& child = header[n + 1];
        SCOPED_TRACE(n);
        EXPECT_EQ(child.id, expected[n].id);
        EXPECT_EQ(child.text, expected[n].text);
        EXPECT_EQ(child.place.left, expected[n].x);
        EXPECT_EQ(child.place.top, expected[n].y);
        EXPECT_EQ(child.place.right - child.place.left, expected[n].width);
        EXPECT_EQ(child.place.bottom - child.place.top, expected[n].height);
        EXPECT_EQ(child.style, expected[n].style);
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(child.window, WM_GETFONT, 0, 0));
        if (expected[n].font >= 0) {
            EXPECT_EQ(font, expected[n].font ? GetStockObject(DEFAULT_GUI_FONT) : nullptr);
        }
    }
}

TEST_F(FrameWindowTest, VersionLineHoldsItsWindows1252TextInTheBottomRightCorner) {
    open(0, 1);
    std::string version = controlText(windows.frame, 8000);
    EXPECT_EQ(version, "R\xE9" "alis\xE9 avec la version 2.1");
    RECT client, place;
    GetClientRect(windows.frame, &client);
    GetWindowRect(GetDlgItem(windows.frame, 8000), &place);
    MapWindowPoints(nullptr, windows.frame, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, client.right - 145);
    EXPECT_EQ(place.top, client.bottom - 16);
    EXPECT_EQ(place.right - place.left, 130);
    EXPECT_EQ(place.bottom - place.top, 15);
}

TEST_F(FrameWindowTest, FrameIsTitledWithTheQuizAndMeasures870By650) {
    open(0, 1);
    char title[64] = "";
    GetWindowTextA(windows.frame, title, sizeof title);
    EXPECT_STREQ(title, "Titre");
    RECT outer;
    GetWindowRect(windows.frame, &outer);
    EXPECT_EQ(outer.right - outer.left, 870);
    EXPECT_EQ(outer.bottom - outer.top, 650);
    char className[32] = "";
    GetClassNameA(windows.frame, className, sizeof className);
    EXPECT_STREQ(className, "WindowsApp");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(windows.frame, GWL_STYLE)) & WS_OVERLAPPEDWINDOW,
              static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
}

TEST_F(FrameWindowTest, BoardFillsTheClientAreaBelowTheHeader) {
    open(1, 6);
    RECT client, place;
    GetClientRect(windows.frame, &client);
    GetWindowRect(windows.board, &place);
    MapWindowPoints(nullptr, windows.frame, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 5);
    EXPECT_EQ(place.top, 50);
    EXPECT_EQ(place.right - place.left, client.right - 11);
    EXPECT_EQ(place.bottom - place.top, client.bottom - 68);
    SetWindowPos(windows.frame, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
    pumpMessages();
    GetClientRect(windows.frame, &client);
    GetWindowRect(windows.board, &place);
    EXPECT_EQ(place.right - place.left, client.right - 11);
    EXPECT_EQ(place.bottom - place.top, client.bottom - 68);
}

TEST_F(FrameWindowTest, HeaderStaticsArePaintedInTheHeaderColoursById) {
    open(0, 2);
    HDC dc = GetDC(windows.frame);
    auto brushFor = [&](HWND control) {
        return reinterpret_cast<HBRUSH>(
            SendMessageA(windows.frame, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    };
    for (int id : {1, 2, 3, 4, 150, 151, 157}) {
        SCOPED_TRACE(id);
        HBRUSH brush = brushFor(GetDlgItem(windows.frame, id));
        ASSERT_NE(brush, nullptr);
        EXPECT_EQ(brushColour(brush), RGB(128, 128, 255));
    }
    EXPECT_EQ(brushColour(brushFor(GetDlgItem(windows.frame, 154))), RGB(128, 128, 255));
    EXPECT_EQ(GetTextColor(dc), RGB(50, 50, 255));
    EXPECT_EQ(brushColour(brushFor(GetDlgItem(windows.frame, 8000))), RGB(212, 208, 200));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(brushFor(windows.board), nullptr);
    // Brushes are made once, not per paint.
    EXPECT_EQ(brushFor(GetDlgItem(windows.frame, 1)), brushFor(GetDlgItem(windows.frame, 157)));
    ReleaseDC(windows.frame, dc);
}

TEST_F(FrameWindowTest, LinkFontIsUnderlinedAtThreeQuartersOfItsHeight) {
    open(0, 1);
    HFONT font = reinterpret_cast<HFONT>(SendDlgItemMessageA(windows.frame, 154, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTA info = {};
    GetObjectA(font, sizeof info, &info);
    EXPECT_EQ(info.lfHeight, -13);
    EXPECT_EQ(info.lfWeight, 400);
    EXPECT_EQ(info.lfUnderline, 1);
    HCURSOR cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrA(GetDlgItem(windows.frame, 154), GCLP_HCURSOR));
    EXPECT_NE(cursor, nullptr);
    EXPECT_NE(cursor, LoadCursorA(nullptr, IDC_ARROW));
}

std::vector<std::string> openedAddresses;
void recordAddress(const char* address) { openedAddresses.push_back(address); }

TEST_F(FrameWindowTest, OnlyAPlainClickOnTheLinkOpensTheWebSite) {
    open(0, 1);
    openedAddresses.clear();
    void (*previous)(const char*) = openWebSite;
    openWebSite = recordAddress;
    HWND link = GetDlgItem(windows.frame, 154);
    SendMessageA(windows.frame, WM_COMMAND, MAKEWPARAM(154, STN_DBLCLK), reinterpret_cast<LPARAM>(link));
    SendMessageA(windows.frame, WM_COMMAND, MAKEWPARAM(151, STN_CLICKED), 0);
    EXPECT_TRUE(openedAddresses.empty());
    SendMessageA(windows.frame, WM_COMMAND, MAKEWPARAM(154, STN_CLICKED), reinterpret_cast<LPARAM>(link));
    openWebSite = previous;
    ASSERT_EQ(openedAddresses.size(), 1u);
    EXPECT_EQ(openedAddresses[0], "www.quizz.example");
}

}  // namespace
