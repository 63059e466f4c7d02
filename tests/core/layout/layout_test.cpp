#include <gtest/gtest.h>

#include "layout/placement.h"
#include "layout/layout.h"

#include <string>
#include <utility>
#include <vector>

namespace {

std::string describe(const Box& box) {
    return std::to_string(box.x) + "," + std::to_string(box.y) + " " + std::to_string(box.width) + "x" +
           std::to_string(box.height);
}

// The boxes of a cell named in `expected` ("name x,y wxh; ..."), described
// the same way, so a whole cell compares in one string.
std::string namedBoxes(const CellGeometry& cell, const std::string& expected) {
    const std::pair<std::string, Box> boxes[] = {
        {"number", cell.numberLabel}, {"question", cell.questionLabel},  {"picture", cell.pictureSquare},
        {"reveal", cell.revealBox},   {"play", cell.playButton},         {"stop", cell.stopButton},
        {"video", cell.videoBox},     {"answer", cell.answerFields[0]},  {"verdict", cell.verdictLabels[0]},
        {"answer2", cell.answerFields[1]}, {"verdict2", cell.verdictLabels[1]}};
    std::string described;
    for (size_t at = 0; at != std::string::npos; at = expected.find("; ", at), at += at != std::string::npos ? 2 : 0) {
        std::string name = expected.substr(at, expected.find(' ', at) - at);
        for (const auto& b : boxes)
            if (b.first == name) described += (described.empty() ? "" : "; ") + name + " " + describe(b.second);
    }
    return described;
}

TEST(RowPositions, FollowTheirPitchesFromTheFirstRow) {
    const int sounds[][2] = {{1, 20}, {3, 20}, {5, 100}};
    for (auto& r : sounds) EXPECT_EQ(soundRowTop(r[0]), r[1]) << r[0];
    // Text rows: 25 pixels a row with one answer, 45 with two stacked.
    const int texts[][3] = {{1, 1, 10}, {4, 1, 85}, {1, 2, 10}, {4, 2, 145}};
    for (auto& r : texts) EXPECT_EQ(listRowTop(r[0], r[1]), r[2]) << r[0] << " format " << r[1];
    // Grid rows: a 390 pitch with reveal boxes (pictures in modes 2 to 4)
    // and for videos in modes 2 and 3, 330 otherwise.
    const int bases[][4] = {{4, 1, 2, 670}, {4, 1, 3, 670}, {4, 1, 4, 670}, {4, 1, 1, 610},
                            {4, 3, 3, 670}, {4, 3, 4, 610}, {3, 1, 2, 280}};
    for (auto& b : bases) EXPECT_EQ(gridRowBase(b[0], b[1], b[2]), b[3]) << b[0] << " style " << b[1] << " mode " << b[2];
    const int columns[][3] = {{1, 1, 0}, {2, 1, 290}, {3, 2, 670}, {4, 2, 90}};
    for (auto& c : columns) EXPECT_EQ(gridColumnLeft(c[0], c[1]), c[2]) << c[0] << " format " << c[1];
}

TEST(ContentSize, FollowsStyleCountFormatAndMode) {
    const struct { int style, count, format, mode, width, height; } cases[] = {
        {0, 10, 1, 2, 830, 275},  {0, 0, 1, 2, 830, 25},     // text rows: 25 a question
        {0, 10, 2, 2, 830, 475},                             // 45 with two answers
        {1, 10, 1, 2, 890, 1585}, {1, 10, 1, 4, 890, 1585},  // grids count started rows of three
        {1, 10, 1, 1, 890, 1345}, {3, 10, 1, 4, 890, 1345},
        {3, 10, 1, 3, 890, 1585}, {3, 9, 1, 1, 890, 1015},   {2, 10, 1, 2, 890, 340},
        {2, 0, 1, 2, 830, 20},
        {1, 2, 2, 2, 830, 415},   {2, 1, 1, 2, 830, 100},    // wider only past two questions
        {3, 3, 2, 2, 980, 415},   {2, 30, 7, 2, 980, 820},
        {7, 10, 2, 2, 830, 475},  {-1, 4, 1, 2, 830, 125},   // unknown styles as text rows
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.style << " " << c.count << " " << c.format << " " << c.mode);
        ContentSize size = contentSizeFor(c.style, c.count, c.format, c.mode);
        EXPECT_EQ(size.width, c.width);
        EXPECT_EQ(size.height, c.height);
    }
    EXPECT_EQ(boardStyle(4), 0);
    EXPECT_EQ(boardStyle(3), 3);
}

TEST(CellGeometry, PlacesEachStylesControlsInTheCell) {
    const struct { int style, i, format, mode; std::string boxes; } cells[] = {
        // A text row: caption, answer and verdict on the row.
        {0, 2, 1, 2, "number 30,38 19x17; question 50,35 550x20; answer 615,35 100x20; verdict 720,34 90x20; play 0,0 0x0"},
        // A picture hangs above the row base (X 290, Y 670).
        {1, 5, 1, 2, "number 300,682 19x17; picture 320,410 260x260; reveal 320,726 260x65; answer 320,680 260x20; "
                     "verdict 320,699 260x20"},
        // Sound: play over stop (X 580, Y 100).
        {2, 6, 1, 2, "number 590,102 19x17; play 610,100 20x21; stop 610,121 20x20; answer 630,100 220x20; "
                     "verdict 630,119 220x20"},
        // Video: the buttons below the player (X 0, Y 280).
        {3, 1, 1, 4, "number -10,244 19x17; play 15,240 20x20; stop 15,260 20x20; video 15,30 200x150; "
                     "answer 35,240 230x20; verdict 35,259 230x20"},
        // Two answers, each verdict beside its field (X 90, Y 280, AW 240; sound X 380, Y 20, AW 220).
        {1, 1, 2, 2, "answer 120,290 190x21; answer2 120,310 190x21; verdict 315,291 60x17; verdict2 315,311 60x17"},
        {2, 2, 2, 2, "answer2 430,40 170x21; verdict2 605,41 60x17"},
        // Text rows with two answers: 45 pixels a row, the fields as wide as the strip allows.
        {0, 2, 2, 2, "question 50,55 550x20; answer 615,55 130x21; answer2 615,75 130x21; verdict2 750,76 60x17"},
        // An unsupported format has no answer fields.
        {0, 1, 3, 2, "answer 0,0 0x0; verdict2 0,0 0x0; number 30,13 19x17"},
    };
    for (const auto& c : cells)
        EXPECT_EQ(namedBoxes(cellGeometry(c.style, c.i, c.format, c.mode), c.boxes), c.boxes)
            << "style " << c.style << " cell " << c.i << " format " << c.format << " mode " << c.mode;
}

TEST(CellGeometry, CentresAPictureInItsSquareAndFillsItWithoutOne) {
    CellGeometry cell = cellGeometry(1, 1, 1, 2);  // square at 30, 20
    EXPECT_EQ(describe(pictureBoxFor(cell, 260, 195)), "30,52 260x195");
    EXPECT_EQ(describe(pictureBoxFor(cell, 101, 260)), "109,20 101x260");
    EXPECT_EQ(describe(pictureBoxFor(cell, 260, 260)), "30,20 260x260");
}

TEST(RowCaptions, StandAtTheLeftOfTheirRowWithoutTouchingTheNumberLabel) {
    EXPECT_EQ(describe(rowCaptionBox(1, 4, 0, 2)), "3,682 95x20");
    EXPECT_EQ(describe(rowCaptionBox(1, 4, 1, 2)), "3,702 95x20");
    EXPECT_EQ(describe(rowCaptionBox(2, 7, 1, 2)), "3,205 95x20");
    // Video: facing the answer fields, left of the number label.
    CellGeometry cell = cellGeometry(3, 4, 2, 2);
    for (int which : {0, 1}) {
        Box caption = rowCaptionBox(3, 4, which, 2);
        EXPECT_EQ(caption.y, cell.answerFields[which].y);
        EXPECT_LT(caption.x + caption.width, cell.numberLabel.x);
    }
    // Text rows have no room beside them: the fields show the captions.
    EXPECT_EQ(describe(rowCaptionBox(0, 4, 0, 2)), "0,0 0x0");
    EXPECT_TRUE(rowCaptionsInFields(0));
    EXPECT_FALSE(rowCaptionsInFields(1));
}

TEST(WheelLineSteps, MakeOneStepPerNotchGatheredAndDropWhatIsLeftWhenTheWheelTurnsBack) {
    // gathered before, delta: steps (positive up), gathered after.
    const struct { int gathered, delta, steps, left; } cases[] = {
        {0, 120, 1, 0},    {0, -120, -1, 0},   {0, 240, 2, 0},     {0, -360, -3, 0},
        {0, 40, 0, 40},    {80, 40, 1, 0},     {100, 50, 1, 30},   {-80, -40, -1, 0},
        {60, -120, -1, 0},  // turned back: the 60 up is dropped, not set against the notch down
        {-60, 60, 0, 60},   {0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        int gathered = c.gathered;
        EXPECT_EQ(wheelLineSteps(&gathered, c.delta), c.steps) << c.gathered << " + " << c.delta;
        EXPECT_EQ(gathered, c.left) << c.gathered << " + " << c.delta;
    }
}

TEST(FramePlacement, CentresWithTruncationTowardZeroAndSizesTheLinkFontToThreeQuartersOfItsHeight) {
    const int starts[][4] = {{0, 1280, 870, 205}, {0, 1024, 650, 187}, {0, 800, 870, -35},
                             {0, 801, 870, -34},  // -69 / 2 truncates to -34
                             {100, 1000, 500, 350}};
    for (auto& c : starts) EXPECT_EQ(centredStart(c[0], c[1], c[2]), c[3]) << c[1] << " " << c[2];
    for (auto& f : {std::make_pair(18, -13), std::make_pair(20, -15), std::make_pair(1, 0)})
        EXPECT_EQ(linkFontHeight(f.first), f.second) << f.first;
}

TEST(FramePlacement, WidensTheFrameUntilTheBoardShowsItsContentBesideItsScrollBarUpToTheScreen) {
    // Metrics like Wine's (frame 8 in all, border 1, bar 16) and Windows 10's (16, 1, 17).
    const FrameMetrics wine = {8, 1, 16, 1280}, windows10 = {16, 1, 17, 1920};
    const struct { int content; FrameMetrics metrics; int outer; } cases[] = {
        {830, wine, 870},                    // text rows fit the standard width
        {830, windows10, 876},               // but not beside a wider bar in a wider frame
        {890, wine, 927},  {980, wine, 1017}, {980, windows10, 1026},
        {980, {8, 1, 16, 1000}, 1000},       // the screen is the limit
        {980, {8, 1, 16, 0}, 1017},          // a screen of unknown width is none
    };
    for (const auto& c : cases) {
        const int outer = frameOuterWidth(c.content, c.metrics);
        EXPECT_EQ(outer, c.outer) << c.content << " " << c.metrics.nonClientWidth;
        // Where it is not limited, the board's client area holds the content.
        const Box board = boardPlace(outer - c.metrics.nonClientWidth, FrameHeight);
        if (outer > FrameStandardWidth && outer < c.metrics.screenWidth) {
            EXPECT_EQ(board.width - 2 * c.metrics.boardBorder - c.metrics.scrollBarWidth, c.content);
        }
    }
    const Box board = boardPlace(862, 616), version = versionLinePlace(862, 616, 142);
    EXPECT_EQ(std::vector<int>({board.x, board.y, board.width, board.height}), std::vector<int>({5, 50, 851, 548}));
    EXPECT_EQ(std::vector<int>({version.x, version.y, version.width, version.height}),
              std::vector<int>({705, 600, 142, 15}));
}

TEST(CellBounds, HoldEveryControlOfEachStylesCellAndTheRowCaptionsOfARowsFirstCell) {
    const struct { int style, i, format, mode; const char* bounds; } cases[] = {
        {1, 4, 1, 2, "10,410 280x381"},  // number label, picture square to reveal box (row 2, baseline 670)
        {1, 4, 1, 1, "10,350 280x309"},  // no reveal box: down to below the verdict label
        {2, 5, 2, 2, "390,100 275x41"},  // sound, row top 100, column 2: no captions
        {2, 4, 2, 2, "3,100 372x45"},    // a row's first cell reaches its captions at x 3
        {3, 4, 1, 1, "0,360 265x250"},   // video, baseline 610; its number label from x -10 is cut
        {0, 4, 1, 2, "30,84 780x21"},    // a text row, row top 85
        {0, 2, 2, 2, "30,55 780x41"},    // two answers stacked
        {7, 4, 1, 2, "30,84 780x21"},    // an unknown style as a text row
    };
    for (const auto& c : cases)
        EXPECT_EQ(describe(cellBounds(c.style, c.i, c.format, c.mode)), c.bounds) << c.style << " cell " << c.i;
    // A field with its verdict label: beside it with two answers, below it in a picture cell.
    EXPECT_EQ(describe(answerFieldBounds(0, 2, 2, 2, 2)), "615,75 195x21");
    EXPECT_EQ(describe(answerFieldBounds(1, 4, 1, 1, 2)), "30,680 260x39");
}

TEST(ScrollToShow, MovesJustUntilTheSpanIsInViewAligningOneLargerThanTheViewOnItsStart) {
    const struct { int start, size, position, visible, scroll; } cases[] = {
        {100, 100, 0, 500, 0},  {100, 400, 0, 500, 0},  {100, 100, 100, 100, 0},  // already in view
        {410, 381, 0, 500, 291}, {410, 120, 0, 500, 30}, {410, 381, 441, 500, -31},
        {0, 50, 300, 500, -300},
        {410, 381, 0, 300, 410}, {410, 381, 500, 300, -90},  // larger than the view: its start
    };
    for (const auto& c : cases)
        EXPECT_EQ(scrollToShow(c.start, c.size, c.position, c.visible), c.scroll)
            << c.start << "+" << c.size << " at " << c.position << " in " << c.visible;
}

}  // namespace
