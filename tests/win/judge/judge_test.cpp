// The judge and the answer fields' keys on the player's real board: answers
// are typed into the fields, keys are sent as the messages a keyboard
// produces, and verdicts, reveals, score and code are read back. The verdict
// rules themselves are tested natively (core_judge); here the board's wiring.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/saved.h"
#include "layout/layout.h"
#include "win/support/harness.h"

namespace {

const char NoCode[] = "      ";
const int Fields = 4000, Verdicts = 5000, Reveals = 8000;  // board control k is base + k

// One answer entered and the state it leaves: the field's verdict, the
// question's reveal box, the score and the code.
struct Step {
    int field;
    const char *typed, *verdict;
    int question;
    const char *reveal, *score, *code;
};

class JudgeTest : public PlayerTest {
protected:
    HWND field(int k) { return item(Fields + k); }
    std::string fieldText(int k) { return controlText(windows.board, Fields + k); }
    std::string verdict(int k) { return controlText(windows.board, Verdicts + k); }
    std::string reveal(int i) { return controlText(windows.board, Reveals + i); }
    // The texts of board controls base + 1 to base + n, joined by "|".
    std::string texts(int base, int n) {
        std::string joined;
        for (int k = 1; k <= n; ++k) joined += (k > 1 ? "|" : "") + controlText(windows.board, base + k);
        return joined;
    }
    std::string score() { return controlText(windows.frame, 150); }
    std::string code() { return controlText(windows.frame, 157); }
    int focusedField() { return GetFocus() ? GetDlgCtrlID(GetFocus()) - 4000 : 0; }
    int scrollPosition() { return GetScrollPos(windows.board, SB_VERT); }
    void scroll(int request) { SendMessageA(windows.board, WM_VSCROLL, request, 0); }

    void type(int k, const char* text) { SetWindowTextA(field(k), text); }
    // A key released in field k, as the keyboard sends it.
    LRESULT release(int k, UINT key) { return SendMessageA(field(k), WM_KEYUP, key, 0xC0000001); }
    // Enter judges without moving the focus.
    void enter(int k, const char* text) {
        type(k, text);
        release(k, VK_RETURN);
    }
    void holdShift(bool down) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = keys[VK_LSHIFT] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    void tab(int from, bool shift) {
        SetFocus(field(from));
        holdShift(shift);
        release(from, VK_TAB);
        holdShift(false);
    }
    void play(const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            SCOPED_TRACE(std::to_string(step.field) + " <- \"" + step.typed + "\"");
            enter(step.field, step.typed);
            EXPECT_EQ(verdict(step.field), step.verdict);
            EXPECT_EQ(reveal(step.question), step.reveal);
            EXPECT_EQ(score(), step.score);
            EXPECT_EQ(code(), step.code);
        }
    }
    RECT placeOf(int id) { return placeInParent(item(id)); }
};

// --- verdicts, reveals and the score -------------------------------------

TEST_F(JudgeTest, EachJudgementSetsItsVerdictTheRevealTheScoreAndTheCode) {
    const struct { int style, count, format, mode; std::vector<Step> steps; const char* reveals; } games[] = {
        {1, 6, 1, 2, {
            {2, "reponse2", "BRAVO", 2, "Revele 2", " 1 / 6", "CODE1"},
            {5, "Reponse5", "BRAVO", 5, "Revele 5", " 2 / 6", "CODE2"},
            {1, "reponse", "Quasiment", 1, "", " 2 / 6", "CODE2"},
            {3, "le reponse3", "Trop long", 3, "", " 2 / 6", "CODE2"},
            // Spaces around a right answer: right, so counted and revealed.
            {4, "  reponse4 ", "BRAVO", 4, "Revele 4", " 3 / 6", "CODE3"},
            // A wrong or empty answer after a right one takes reveal and point back.
            {2, "reponse", "Quasiment", 2, "", " 2 / 6", "CODE2"},
            {2, "", "?", 2, "", " 2 / 6", "CODE2"},
            {5, "   ", "?", 5, "", " 1 / 6", "CODE1"},
            {4, "faux", "FAUX", 4, "", " 0 / 6", NoCode}}, "|||||"},
        // Two fields: question q owns fields 2q - 1 and 2q, each with its own
        // answer; it counts and reveals only once both are right.
        {1, 3, 2, 2, {
            {3, "reponse2", "BRAVO", 2, "", " 0 / 3", NoCode},
            {4, "second2", "BRAVO", 2, "Revele 2", " 1 / 3", "CODE1"},
            {4, "second", "Quasiment", 2, "", " 0 / 3", NoCode},
            {5, "second3", "FAUX", 3, "", " 0 / 3", NoCode},
            {6, "reponse3", "FAUX", 3, "", " 0 / 3", NoCode},
            {1, "reponse1", "BRAVO", 1, "", " 0 / 3", NoCode},
            {2, " second1", "BRAVO", 1, "Revele 1", " 1 / 3", "CODE1"},
            {2, "second1", "BRAVO", 1, "Revele 1", " 1 / 3", "CODE1"}}, "Revele 1||"},
        // Mode 4 shows every text only while every question is solved; an
        // answer turned wrong takes only its own text away.
        {1, 3, 1, 4, {
            {1, "reponse1", "BRAVO", 1, "", " 1 / 3", "CODE1"},
            {3, "reponse3", "BRAVO", 3, "", " 2 / 3", "CODE2"},
            {2, "reponse2", "BRAVO", 1, "Revele 1", " 3 / 3", "CODE3"},
            {2, "reponse", "Quasiment", 2, "", " 2 / 3", "CODE2"}}, "Revele 1||Revele 3"},
        // ... counted by questions, not by fields.
        {1, 2, 2, 4, {
            {1, "reponse1", "BRAVO", 1, "", " 0 / 2", NoCode},
            {2, "second1", "BRAVO", 1, "", " 1 / 2", "CODE1"},
            {3, "reponse2", "BRAVO", 1, "", " 1 / 2", "CODE1"},
            {4, "second2", "BRAVO", 1, "Revele 1", " 2 / 2", "CODE2"}}, "Revele 1|Revele 2"},
        // Boards without reveal boxes still judge and count.
        {1, 3, 1, 1, {{1, "reponse1", "BRAVO", 1, "", " 1 / 3", "CODE1"}}, "||"},
        {2, 4, 2, 3, {
            {7, "reponse4", "BRAVO", 4, "", " 0 / 4", NoCode},
            {8, "second4", "BRAVO", 4, "", " 1 / 4", "CODE1"}}, "|||"},
    };
    for (const auto& g : games) {
        SCOPED_TRACE(testing::Message() << "style " << g.style << " format " << g.format << " mode " << g.mode);
        open(g.style, g.count, g.format, g.mode);
        EXPECT_EQ(score(), " 0 / " + std::to_string(g.count));
        EXPECT_EQ(code(), NoCode);
        play(g.steps);
        EXPECT_EQ(texts(Reveals, g.count), g.reveals);
    }
}

TEST_F(JudgeTest, ARevealTextThatTheSystemsCollationTakesForNoTextIsShownAllTheSame) {
    // A lone soft hyphen (0xAD) is a character collation ignores.
    ASSERT_EQ(lstrcmpA("\xAD", ""), 0) << "this system's collation tells them apart: nothing to show here";
    for (int mode : {2, 4}) {
        closePlayerWindows(&player, &windows);
        fillWindowTestQuiz(&quiz, 1, 1, 1, mode);
        copyText(quiz.firstQuestion->reveal, "\xAD");
        windows = openPlayerWindows(&player, &quiz);
        enter(1, "reponse1");
        EXPECT_EQ(reveal(1), "\xAD") << "mode " << mode;
    }
}

// --- answer pictures (their fitting and centring: win_media) -------------

TEST_F(JudgeTest, TheAnswerPictureIsPlacedForTheBoardsScrollPosition) {
    open(1, 9, 1, 1);
    resizeClient(windows.board, 600, 500);  // narrower than the grid: it scrolls across too
    scroll(SB_LINEDOWN);
    scroll(SB_LINEDOWN);
    SendMessageA(windows.board, WM_HSCROLL, SB_PAGERIGHT, 0);
    ASSERT_EQ(scrollPosition(), 60);
    const int across = GetScrollPos(windows.board, SB_HORZ);
    ASSERT_GT(across, 0);
    enter(1, "reponse1");
    // 200 x 100 fitted to 260 x 130, centred in the square at (30, 20).
    EXPECT_EQ(placeOf(9001).left, 30 - across);
    EXPECT_EQ(placeOf(9001).top, 85 - 60);
    scroll(SB_TOP);  // and it moves with the board afterwards
    SendMessageA(windows.board, WM_HSCROLL, SB_PAGELEFT, 0);
    EXPECT_EQ(placeOf(9001).top, 85);
    EXPECT_EQ(placeOf(9001).left, 30);
}

TEST_F(JudgeTest, JudgingASolvedQuestionAgainReplacesThePictureAndAWrongAnswerKeepsIt) {
    open(1, 3, 1, 3);  // mode 3 shows the answer picture beside the reveal, as mode 1 does
    enter(1, "reponse1");
    EXPECT_EQ(reveal(1), "Revele 1");
    HBITMAP first = shownPicture(1);
    ASSERT_NE(first, nullptr);
    enter(1, "reponse1");
    HBITMAP second = shownPicture(1);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    BITMAP gone = {};
    EXPECT_EQ(GetObjectA(first, sizeof gone, &gone), 0);  // the replaced bitmap was deleted
    enter(1, "faux");
    EXPECT_EQ(shownPicture(1), second);
    EXPECT_EQ(placeOf(9001).bottom - placeOf(9001).top, 130);
}

// --- keys ----------------------------------------------------------------

TEST_F(JudgeTest, EnterAndAltEnterJudgeInPlaceWithoutTypingAndLeavingAFieldJudgesIt) {
    open(1, 3, 1, 2);
    SetFocus(field(2));
    type(2, "reponse2");
    EXPECT_EQ(verdict(2), "?");  // typing alone judges nothing
    EXPECT_EQ(release(2, VK_RETURN), 1);
    EXPECT_EQ(verdict(2), "BRAVO");
    EXPECT_EQ(focusedField(), 2);
    EXPECT_EQ(fieldText(2), "reponse2");
    type(2, "reponse");
    EXPECT_EQ(SendMessageA(field(2), WM_SYSKEYDOWN, VK_RETURN, 0x20000001), 1);
    EXPECT_EQ(verdict(2), "Quasiment");
    EXPECT_EQ(focusedField(), 2);
    // Neither Enter nor Tab reaches the field as a character.
    SendMessageA(field(2), EM_SETSEL, 7, 7);
    EXPECT_EQ(SendMessageA(field(2), WM_CHAR, '\t', 1), 0);
    EXPECT_EQ(SendMessageA(field(2), WM_CHAR, '\r', 1), 0);
    SendMessageA(field(2), WM_CHAR, '2', 1);
    EXPECT_EQ(fieldText(2), "reponse2");
    SetFocus(field(3));
    EXPECT_EQ(verdict(2), "BRAVO");
    EXPECT_EQ(score(), " 1 / 3");
}

// Whether a move along one axis from before to after went only as far as
// brings the start or the end of what it shows to the view's edge.
bool movedJustEnough(int before, int after, int start, int size, int visible) {
    return after == before || after == start || after + visible == start + size;
}

TEST_F(JudgeTest, TabAndShiftTabJudgeAndLeaveTheFieldReachedFullyInViewScrollingAsLittleAsNeeded) {
    // Each style in a view smaller than its content: Tab through every
    // field and around, then Shift+Tab back around. The board shows the
    // field's whole cell along each axis it fits on, else the field.
    const struct { int style, count, format, mode, width, height; } boards[] = {
        {0, 30, 2, 2, 600, 300},  {1, 9, 1, 2, 600, 500},   {1, 6, 2, 4, 500, 250},  // a cell taller than the view
        {2, 12, 2, 2, 400, 150},  {3, 5, 1, 1, 600, 400},
    };
    for (const auto& b : boards) {
        SCOPED_TRACE(testing::Message() << "style " << b.style << " format " << b.format << " mode " << b.mode);
        open(b.style, b.count, b.format, b.mode);
        ASSERT_NE(windows.board, nullptr);
        resizeClient(windows.board, b.width, b.height);
        const int fields = b.count * b.format;
        int k = 1;
        type(1, "reponse1");
        for (int n = 0; n < 2 * fields + 2; ++n) {
            const bool back = n > fields;
            const int beforeX = GetScrollPos(windows.board, SB_HORZ), beforeY = scrollPosition();
            tab(k, back);
            k = back ? (k == 1 ? fields : k - 1) : (k == fields ? 1 : k + 1);
            ASSERT_EQ(focusedField(), k);
            const int i = (k - 1) / b.format + 1;
            const Box cell = cellBounds(b.style, i, b.format, b.mode);
            const Box field = answerFieldBounds(b.style, i, k - b.format * (i - 1), b.format, b.mode);
            const Box& acrossShown = cell.width <= b.width ? cell : field;
            const Box& downShown = cell.height <= b.height ? cell : field;
            EXPECT_TRUE(movedJustEnough(beforeX, GetScrollPos(windows.board, SB_HORZ), acrossShown.x,
                                        acrossShown.width, b.width)) << k;
            EXPECT_TRUE(movedJustEnough(beforeY, scrollPosition(), downShown.y, downShown.height, b.height)) << k;
            for (int id : {Fields + k, Verdicts + k}) {
                RECT place = placeOf(id);
                EXPECT_TRUE(place.left >= 0 && place.top >= 0 && place.right <= b.width && place.bottom <= b.height)
                    << id << " at " << place.left << "," << place.top << " " << place.right << "," << place.bottom;
            }
        }
        EXPECT_EQ(verdict(1), "BRAVO") << "judged as Tab left it";
    }
}

TEST_F(JudgeTest, PageAndArrowKeysPageTheBoardOnRelease) {
    open(1, 30, 1, 2);
    SCROLLINFO info = {sizeof info, SIF_PAGE, 0, 0, 0, 0, 0};
    GetScrollInfo(windows.board, SB_VERT, &info);
    const int page = static_cast<int>(info.nPage);
    ASSERT_GT(page, 0);
    SetFocus(field(1));
    SendMessageA(field(1), WM_KEYDOWN, VK_NEXT, 1);
    EXPECT_EQ(scrollPosition(), 0);  // nothing on the press
    const struct { UINT key; int pages; } keys[] = {{VK_NEXT, 1}, {VK_DOWN, 2}, {VK_PRIOR, 1}, {VK_UP, 0}};
    for (const auto& key : keys) {
        release(1, key.key);
        EXPECT_EQ(scrollPosition(), key.pages * page) << key.key;
    }
    SendMessageA(field(1), WM_SYSKEYDOWN, VK_NEXT, 0x20000001);
    EXPECT_EQ(scrollPosition(), page);
}

TEST_F(JudgeTest, AFieldReachedSelectsItsFirstTwentyFiveCharacters) {
    open(1, 3, 1, 2);
    type(2, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
    type(3, "abc");
    tab(1, false);
    ASSERT_EQ(focusedField(), 2);
    DWORD start = 0, end = 0;
    SendMessageA(field(2), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 25u);
    SendMessageA(field(2), WM_CHAR, 'x', 1);  // typing replaces the selection
    EXPECT_EQ(fieldText(2), "xZ0123");
    release(2, VK_TAB);
    SendMessageA(field(3), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end, 3u);
}

TEST_F(JudgeTest, F1TriesTheTextOfTheFieldInEveryFieldThatIsNotYetRight) {
    open(1, 4, 1, 2);
    enter(2, "reponse2");
    SetFocus(field(1));
    type(1, "reponse3");
    release(1, VK_F1);
    EXPECT_EQ(texts(Fields, 4), "reponse3|reponse2|reponse3|reponse3");
    EXPECT_EQ(texts(Verdicts, 4), "Quasiment|BRAVO|BRAVO|Quasiment");
    EXPECT_EQ(reveal(3), "Revele 3");
    EXPECT_EQ(focusedField(), 1);
    EXPECT_EQ(score(), " 2 / 4");
    // From an empty field it empties every field that is not right.
    enter(4, "faux");
    type(1, "");
    release(1, VK_F1);
    EXPECT_EQ(texts(Fields, 4), "|reponse2|reponse3|");
    EXPECT_EQ(texts(Verdicts, 4), "?|BRAVO|BRAVO|?");
    EXPECT_EQ(score(), " 2 / 4");
}

// --- answers restored at start (reading the file: win_board) -------------

TEST_F(JudgeTest, RestoredAnswersAreJudgedAsTheBoardIsBuilt) {
    ScratchDirectory scratch;
    Text name;
    resultsFileName(name);
    const struct { int count, format, mode; const char* saved; const char *verdicts, *reveals, *score, *code; } boards[] = {
        // Spaces around a right answer: revealed as it is counted.
        {4, 1, 2, "reponse1\r\n*\r\n  REPONSE3 \r\nfaux\r\n", "BRAVO|?|BRAVO|FAUX", "Revele 1||Revele 3|", " 2 / 4", "CODE2"},
        // A quiz solved in full at start shows every text in mode 4.
        {2, 2, 4, "reponse1\r\nsecond1\r\nreponse2\r\nsecond2\r\n", "BRAVO|BRAVO|BRAVO|BRAVO", "Revele 1|Revele 2",
         " 2 / 2", "CODE2"},
        {3, 1, 4, "reponse1\r\nreponse2\r\nreponse3\r\n", "BRAVO|BRAVO|BRAVO", "Revele 1|Revele 2|Revele 3", " 3 / 3",
         "CODE3"},
    };
    for (const auto& b : boards) {
        SCOPED_TRACE(b.saved);
        writeFile(name, b.saved);
        open(1, b.count, b.format, b.mode);
        EXPECT_EQ(texts(Verdicts, b.count * b.format), b.verdicts);
        EXPECT_EQ(texts(Reveals, b.count), b.reveals);
        EXPECT_EQ(score(), b.score);
        EXPECT_EQ(code(), b.code);
    }
    // Once built, a wrong answer empties its own box and the score falls.
    play({{2, "faux", "FAUX", 2, "", " 2 / 3", "CODE2"}});
    EXPECT_EQ(reveal(3), "Revele 3");
}

}  // namespace
