#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include <map>
#include <string>
#include <vector>

#include "app/frame.h"
#include "win/support/harness.h"

namespace {

// A child's ID, text, place in its parent's client area, style and font
// ("gui" the GUI font, "system" none, "own" any other).
std::string describe(HWND child) {
    char text[300] = "", line[400];
    GetWindowTextA(child, text, sizeof text);
    RECT place = placeInParent(child);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0));
    snprintf(line, sizeof line, "%d '%s' %ld,%ld %ldx%ld %08lX %s", GetDlgCtrlID(child), text, place.left, place.top,
             place.right - place.left, place.bottom - place.top, static_cast<unsigned long>(GetWindowLongA(child, GWL_STYLE)),
             font == GetStockObject(DEFAULT_GUI_FONT) ? "gui" : font ? "own" : "system");
    return line;
}

// The first child of parent that reads text, null for none.
HWND childReading(HWND parent, const char* text) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char read[300] = "";
        GetWindowTextA(child, read, sizeof read);
        if (strcmp(read, text) == 0) return child;
    }
    return nullptr;
}

// The width of a label's text on one line in the label's font.
long oneLineWidth(HWND label) {
    char text[300] = "";
    GetWindowTextA(label, text, sizeof text);
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
    RECT needed = {0, 0, 0, 0};
    DrawTextA(dc, text, -1, &needed, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    return needed.right;
}

class FrameWindowTest : public PlayerTest {};

TEST_F(FrameWindowTest, HeaderHoldsThirteenStaticsWithTheirIdsTextsAndPlaces) {
    open(0, 0, 1, 2);  // no answer field, so the judge leaves the creation texts alone
    // Z order is creation order except the version line, which the frame's
    // sizing brings to the top. Styles: 50800000 bordered, 50000000 plain,
    // 50000001 centred, 50000100 notifying, 50000080 a quiz text ("&" as is),
    // 5000000C a fixed caption on its one line, 4000 ending in "..." (Wine's
    // Tahoma is too wide for the link's 115 pixels).
    const char* expected[] = {
        "1 '' 5,2 100x24 50800000 system",           "2 '' 5,25 100x22 50800000 system",
        "3 '' 104,2 623x45 50800000 system",         "4 '' 726,2 130x45 50800000 system",
        "151 ' Code :' 10,29 36x15 5000000C gui",    "157 ' xxxxxx' 47,28 55x16 50000080 gui",
        "150 ' 0 / 0' 10,5 90x18 50000001 system",   "154 'www.quizz.example' 736,5 115x18 50004100 own",
        "150 'Par :' 736,25 27x18 5000000C gui",     "150 'Auteur' 763,25 85x18 50000080 gui",
        "150 'Titre' 110,3 220x18 50000080 system",  "150 'Explication' 110,19 580x27 50000080 gui",
    };
    std::vector<std::string> header;
    for (HWND child = GetWindow(windows.frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child != windows.board) header.push_back(describe(child));
    }
    ASSERT_EQ(header.size(), 13u);
    EXPECT_EQ(header[0].substr(0, 5), "8000 ");  // its text and place: below
    EXPECT_EQ(std::vector<std::string>(header.begin() + 1, header.end()),
              std::vector<std::string>(std::begin(expected), std::end(expected)));
}

TEST_F(FrameWindowTest, FrameIsTitledWithTheQuizAndKeepsTheBoardAndTheVersionLineInPlaceWhenResized) {
    open(1, 6, 1, 2);
    char title[64] = "";
    GetWindowTextA(windows.frame, title, sizeof title);
    EXPECT_STREQ(title, "Titre");
    for (int resized = 0; resized < 2; ++resized) {
        SCOPED_TRACE(resized ? "resized" : "as built");
        RECT client;
        GetClientRect(windows.frame, &client);
        char board[64], version[96];
        snprintf(board, sizeof board, "5,50 %ldx%ld", client.right - 11, client.bottom - 68);
        EXPECT_NE(describe(windows.board).find(board), std::string::npos) << describe(windows.board);
        // The version line is as wide as its text on one line, its right
        // edge 15 pixels from the client area's. Its text is Windows-1252:
        // é is the single byte E9.
        const long width = oneLineWidth(GetDlgItem(windows.frame, 8000));
        snprintf(version, sizeof version, "8000 'R\xE9" "alis\xE9 avec la version 2.1' %ld,%ld %ldx15 50000000 gui",
                 client.right - 15 - width, client.bottom - 16, width);
        EXPECT_EQ(describe(GetDlgItem(windows.frame, 8000)), version);
        SetWindowPos(windows.frame, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
        pumpMessages();
    }
}

TEST_F(FrameWindowTest, HeaderStaticsArePaintedInTheHeaderColoursAndTheLinkIsUnderlined) {
    open(0, 2, 1, 2);
    HDC dc = GetDC(windows.frame);
    auto brushFor = [&](HWND control) {
        return reinterpret_cast<HBRUSH>(
            SendMessageA(windows.frame, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    };
    for (int id : {1, 2, 3, 4, 150, 151, 157, 154})
        EXPECT_EQ(brushColour(brushFor(GetDlgItem(windows.frame, id))), RGB(128, 128, 255)) << id;
    EXPECT_EQ(GetTextColor(dc), RGB(50, 50, 255));  // the link's, painted last
    EXPECT_EQ(brushColour(brushFor(GetDlgItem(windows.frame, 8000))), RGB(212, 208, 200));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(brushFor(windows.board), nullptr);
    // Brushes are made once, not per paint.
    EXPECT_EQ(brushFor(GetDlgItem(windows.frame, 1)), brushFor(GetDlgItem(windows.frame, 157)));
    ReleaseDC(windows.frame, dc);
    // The link's own font: underlined, three quarters of its 18 pixels.
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(windows.frame, 154, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -13);
    EXPECT_EQ(font.lfUnderline, 1);
}

TEST_F(FrameWindowTest, TheLinkCursorShowsOverTheLinkAndNoOtherLabel) {
    open(0, 1, 1, 2);
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW), hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1003));
    ASSERT_NE(hand, nullptr);
    HWND other = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 10, 10, windows.frame, nullptr, nullptr, nullptr);
    // The mouse over each label, as the system asks each for its cursor.
    const struct { HWND label; HCURSOR cursor; } labels[] = {
        {GetDlgItem(windows.frame, 154), hand}, {childReading(windows.frame, "Titre"), arrow}, {other, arrow},
        {GetDlgItem(windows.board, 3000), arrow}};
    for (const auto& l : labels) {
        SetCursor(nullptr);
        SendMessageA(l.label, WM_SETCURSOR, reinterpret_cast<WPARAM>(l.label), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), l.cursor) << GetDlgCtrlID(l.label);
    }
    // The class every label of the process shares keeps its own cursor.
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(other, GCLP_HCURSOR)), arrow);
    DestroyWindow(other);
}

// What control paints when its text is drawn as written: a hidden twin with
// its parent, ID, style, size and font, whose text doubles every "&" for the
// system's prefix processing to show as one.
std::vector<unsigned> paintedAsWritten(HWND control) {
    char text[300] = "";
    GetWindowTextA(control, text, sizeof text);
    std::string doubled;
    for (const char* c = text; *c; ++c) doubled += *c == '&' ? "&&" : std::string(1, *c);
    const RECT place = placeInParent(control);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)) & ~(WS_VISIBLE | SS_NOPREFIX);
    HWND twin = CreateWindowExA(0, "Static", doubled.c_str(), style, place.left, place.top, place.right - place.left,
                                place.bottom - place.top, GetParent(control),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(control))),
                                GetModuleHandleA(nullptr), nullptr);
    SendMessageA(twin, WM_SETFONT, SendMessageA(control, WM_GETFONT, 0, 0), FALSE);
    std::vector<unsigned> pixels = paintedPixels(twin);
    DestroyWindow(twin);
    return pixels;
}

TEST_F(FrameWindowTest, EveryQuizTextWithAnAmpersandIsShownAsStored) {
    const char* texts[] = {"Texte & deux r\xE9ponses", "Moi & toi", "Lisez & tapez", "C&D",
                           "Pr\xE9nom & nom", "Question 1 & suite", "R\xE9v\xE9l\xE9 & montr\xE9"};
    const struct { int style, format; std::vector<const char*> shown; } boards[] = {
        // Header: title, creator, explanation, code; text rows: the question.
        {0, 1, {texts[0], texts[1], texts[2], texts[3], texts[5]}},
        // Pictures with two answers: the row caption and the reveal box.
        {1, 2, {texts[4], texts[6]}},
    };
    for (const auto& b : boards) {
        closePlayerWindows(&player, &windows);
        fillWindowTestQuiz(&quiz, b.style, 2, b.format, 2);
        copyText(quiz.title, texts[0]);
        copyText(quiz.creator, texts[1]);
        copyText(quiz.explanation, texts[2]);
        copyText(quiz.codes[0], texts[3]);
        copyText(quiz.firstRowCaption, texts[4]);
        copyText(quiz.firstQuestion->caption, texts[5]);
        copyText(quiz.firstQuestion->reveal, texts[6]);
        windows = openPlayerWindows(&player, &quiz);
        const char* answers[] = {"reponse1", "second1"};
        for (int k = 1; k <= b.format; ++k) {  // question 1 solved: its code and reveal text show
            SetDlgItemTextA(windows.board, 4000 + k, answers[k - 1]);
            SendDlgItemMessageA(windows.board, 4000 + k, WM_KEYUP, VK_RETURN, 0xC0000001);
        }
        for (const char* text : b.shown) {
            HWND control = childReading(windows.frame, text);
            if (!control) control = childReading(windows.board, text);
            ASSERT_NE(control, nullptr) << text;
            EXPECT_TRUE(paintedPixels(control) == paintedAsWritten(control)) << text;
        }
    }
}

struct TooltipSearch {
    HWND frame, tooltip;
};

// Called by Windows with its own calling convention, which a lambda lacks on i686.
BOOL CALLBACK findFrameTooltip(HWND window, LPARAM found) {
    auto* search = reinterpret_cast<TooltipSearch*>(found);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, TOOLTIPS_CLASSA) == 0 && GetWindow(window, GW_OWNER) == search->frame)
        search->tooltip = window;
    return TRUE;
}

// The tooltip texts of the frame's header, by the label they belong to.
std::map<HWND, std::string> headerTooltips(HWND frame) {
    TooltipSearch search = {frame, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), findFrameTooltip, reinterpret_cast<LPARAM>(&search));
    std::map<HWND, std::string> tips;
    const int count = search.tooltip ? static_cast<int>(SendMessageA(search.tooltip, TTM_GETTOOLCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) {
        wchar_t wide[1024] = L"";
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        SendMessageW(search.tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool));
        // The whole text, which the narrow messages give only 80 characters of.
        tool.lpszText = wide;
        SendMessageW(search.tooltip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&tool));
        char text[1024] = "";
        WideCharToMultiByte(1252, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        tips[reinterpret_cast<HWND>(tool.uId)] = text;
    }
    return tips;
}

// Whether label shows its whole text, on one line or wrapped, in its own font.
bool showsWhole(HWND label) {
    char text[300] = "";
    GetWindowTextA(label, text, sizeof text);
    RECT client;
    GetClientRect(label, &client);
    HDC dc = GetDC(label);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    RECT line = {0, 0, 0, 0}, needed = {0, 0, client.right, 0};
    DrawTextA(dc, text, -1, &line, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    DrawTextA(dc, text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    if (old) SelectObject(dc, old);
    ReleaseDC(label, dc);
    if (line.right <= client.right && line.bottom <= client.bottom) return true;  // on one line
    return needed.right <= client.right && needed.bottom <= client.bottom;      // wrapped
}

TEST_F(FrameWindowTest, EachHeaderTextIsShownWholeOrOnOneLineEndingInAnEllipsisWithTheWholeTextAsItsTooltip) {
    const std::string longText = "Une explication bien trop longue pour les deux lignes de son cadre : elle parle "
                                 "des capitales, des fleuves, des montagnes et des mers de tous les pays du monde, "
                                 "de leurs habitants, de leurs langues et de leurs histoires.";
    const struct { const char* creator; std::string explanation; const char* code; std::vector<const char*> cut; } quizzes[] = {
        {"Zo\xE9", "Tapez la capitale, puis Entr\xE9" "e.", "CODE1", {"www.quizz.example"}},
        {"Mme H\xE9l\xE8ne Dupr\xE9", longText, "Un code bien trop long pour son cadre",
         {"Un code bien trop long pour son cadre", "www.quizz.example", "Mme H\xE9l\xE8ne Dupr\xE9",
          longText.c_str()}},
    };
    for (const auto& q : quizzes) {
        SCOPED_TRACE(q.creator);
        closePlayerWindows(&player, &windows);
        fillWindowTestQuiz(&quiz, 0, 2, 1, 2);
        copyText(quiz.creator, q.creator);
        copyText(quiz.explanation, q.explanation.c_str());
        copyText(quiz.codes[0], q.code);
        windows = openPlayerWindows(&player, &quiz);
        SetDlgItemTextA(windows.board, 4001, "reponse1");  // the code line changes with the score
        SendDlgItemMessageA(windows.board, 4001, WM_KEYUP, VK_RETURN, 0xC0000001);
        ASSERT_EQ(controlText(windows.frame, 157), q.code);
        const std::map<HWND, std::string> tips = headerTooltips(windows.frame);
        std::vector<std::string> cut;
        for (HWND child = GetWindow(windows.frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char text[300] = "";
            if (child == windows.board || GetWindowTextA(child, text, sizeof text) == 0) continue;
            SCOPED_TRACE(text);
            const DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
            if ((style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP) {  // a fixed caption, never wrapped
                EXPECT_TRUE(std::string(text) == " Code :" || std::string(text) == "Par :");
                continue;
            }
            const DWORD ellipsis = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)) & SS_ELLIPSISMASK;
            if (ellipsis == 0) {
                EXPECT_TRUE(showsWhole(child));
                EXPECT_EQ(tips.count(child), 0u);
            } else {
                EXPECT_EQ(ellipsis, static_cast<DWORD>(SS_ENDELLIPSIS));
                EXPECT_FALSE(showsWhole(child));
                EXPECT_EQ(tips.count(child) ? tips.at(child) : "<no tooltip>", text);
                cut.push_back(text);
            }
        }
        EXPECT_EQ(cut, std::vector<std::string>(q.cut.begin(), q.cut.end()));
    }
}

std::vector<std::string> openedAddresses;
void recordAddress(const char* address) { openedAddresses.push_back(address); }

TEST_F(FrameWindowTest, OnlyAPlainClickOnTheLinkOpensTheWebSite) {
    open(0, 1, 1, 2);
    openedAddresses.clear();
    void (*previous)(const char*) = openWebSite;
    openWebSite = recordAddress;
    HWND link = GetDlgItem(windows.frame, 154);
    SendMessageA(windows.frame, WM_COMMAND, MAKEWPARAM(154, STN_DBLCLK), reinterpret_cast<LPARAM>(link));
    SendMessageA(windows.frame, WM_COMMAND, MAKEWPARAM(151, STN_CLICKED), 0);
    EXPECT_TRUE(openedAddresses.empty());
    SendMessageA(windows.frame, WM_COMMAND, MAKEWPARAM(154, STN_CLICKED), reinterpret_cast<LPARAM>(link));
    openWebSite = previous;
    EXPECT_EQ(openedAddresses, std::vector<std::string>{"www.quizz.example"});
}

}  // namespace
