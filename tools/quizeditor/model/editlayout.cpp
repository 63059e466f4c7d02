#include "editlayout.h"

#include <algorithm>

namespace {

// Sizes in pixels derived from the font: the gap between controls, the
// height of an edit or button row, the step from one row to the next, the
// width of the label column and of a button.
// The previews, the question list and the problems list are smallest in a
// window as small as a screen of 800 x 600 pixels allows, and grow up to
// their full size as the window grows.
struct Units {
    int line, gap, row, step, label, button, previewHeight, fullPreviewHeight, listLines;
};

enum { LeastProblemLines = 3, FullProblemLines = 6 };

Units unitsOf(const FontMetrics& font) {
    const int line = std::max(font.lineHeight, 8);
    const int character = std::max(font.charWidth, 4);
    Units units;
    units.line = line;
    units.gap = std::max(line / 2, 4);
    units.row = line + 8;
    units.step = units.row + units.gap / 2;
    units.label = 22 * character;
    units.button = 14 * character;
    units.previewHeight = 6 * line;
    units.fullPreviewHeight = 9 * line;
    units.listLines = 3 * line;
    return units;
}

// The least widths of the columns: room for a field of 24 and of 40
// average characters beside the labels.
int leftMinimum(const FontMetrics& font) { return unitsOf(font).label + 24 * std::max(font.charWidth, 4); }
int rightMinimum(const FontMetrics& font) { return unitsOf(font).label + 40 * std::max(font.charWidth, 4); }

// Heights of the parts stacked in each column and under them.
int settingsHeight(const Units& u) { return 9 * u.step + u.line + 3 * u.line + 8 + u.gap; }
int questionsMinimum(const Units& u) { return u.line + u.gap / 2 + u.listLines + u.gap + u.row; }
int paneHeight(const Units& u) {
    return u.line + u.gap + 6 * u.step + (2 * u.line + 8 + u.gap / 2) + u.previewHeight + u.gap + u.step;
}
int bottomHeight(const Units& u, int problemLines) {
    return u.line + u.gap / 2 + problemLines * u.line + u.row + u.gap + u.row + u.gap;
}

struct Placer {
    EditorLayout* layout;
    void operator()(ControlId id, int left, int top, int right, int bottom) const {
        layout->boxes[id - FirstControl] = Box{left, top, right, bottom};
    }
};

// A label in the label column and its control beside it, height tall;
// gives the top of the next row.
int labelled(const Placer& place, const Units& u, ControlId label, ControlId control, int left, int right, int top,
             int height) {
    place(label, left, top + 4, left + u.label - u.gap, top + 4 + u.line);
    place(control, left + u.label, top, right, top + height);
    return top + height + u.gap / 2;
}

}  // namespace

Box minimumClientArea(const FontMetrics& font) {
    const Units u = unitsOf(font);
    int width = 3 * u.gap + leftMinimum(font) + rightMinimum(font);
    int columns = std::max(settingsHeight(u) + questionsMinimum(u), paneHeight(u) + 4 * u.line);
    return Box{0, 0, width, u.gap + columns + u.gap + bottomHeight(u, LeastProblemLines)};
}

namespace {

// Along the bottom, the status line and progress bar, the problems above
// them; gives the bottom of the two columns.
int layOutBottom(const Placer& place, const Units& u, int width, int height, int problemLines) {
    const int statusTop = height - u.gap - u.row;
    place(StatusText, u.gap, statusTop + 4, width - 2 * u.gap - 2 * u.button, statusTop + 4 + u.line);
    place(ProgressBar, width - u.gap - 2 * u.button, statusTop + 2, width - u.gap, statusTop + u.row - 2);
    const int problemsTop = statusTop - u.gap - (problemLines * u.line + u.row);
    place(ProblemList, u.gap, problemsTop, width - u.gap, statusTop - u.gap);
    place(ProblemsLabel, u.gap, problemsTop - u.gap / 2 - u.line, width - u.gap, problemsTop - u.gap / 2);
    return problemsTop - u.gap / 2 - u.line - u.gap;
}

// The left column: the quiz's settings, then its questions and their buttons.
void layOutQuiz(const Placer& place, const Units& u, int leftEdge, int leftEnd, int bottom) {
    int y = u.gap;
    y = labelled(place, u, TitleLabel, TitleEdit, leftEdge, leftEnd, y, u.row);
    y = labelled(place, u, CreatorLabel, CreatorEdit, leftEdge, leftEnd, y, u.row);
    // Two lines, as the player's header shows the explanation.
    y = labelled(place, u, ExplanationLabel, ExplanationEdit, leftEdge, leftEnd, y, 2 * u.line + 8);
    const ControlId settings[][2] = {
        {FirstCaptionLabel, FirstCaptionEdit}, {SecondCaptionLabel, SecondCaptionEdit}, {StyleLabel, StyleCombo},
        {FormatLabel, FormatCombo}, {ModeLabel, ModeCombo},
    };
    for (const auto& row : settings) y = labelled(place, u, row[0], row[1], leftEdge, leftEnd, y, u.row);
    place(ColourLabel, leftEdge, y + 4, leftEdge + u.label - u.gap, y + 4 + u.line);
    place(ColourSwatch, leftEdge + u.label, y + 2, leftEdge + u.label + u.row * 2, y + u.row - 2);
    place(ColourButton, leftEdge + u.label + u.row * 2 + u.gap, y, leftEdge + u.label + u.row * 2 + u.gap + u.button,
          y + u.row);
    y += u.step;
    y = labelled(place, u, CodesLabel, CodesEdit, leftEdge, leftEnd, y, 3 * u.line + 8) + u.gap / 2;

    place(QuestionsLabel, leftEdge, y, leftEnd, y + u.line);
    const int buttonsTop = bottom - u.row;
    place(QuestionList, leftEdge, y + u.line + u.gap / 2, leftEnd, buttonsTop - u.gap);
    const ControlId buttons[] = {AddButton, DeleteButton, UpButton, DownButton};
    const int buttonWidth = (leftEnd - leftEdge - 3 * u.gap) / 4;
    for (int k = 0; k < 4; ++k) {
        int left = leftEdge + k * (buttonWidth + u.gap);
        place(buttons[k], left, buttonsTop, left + buttonWidth, bottom);
    }
}

// The right column: the selected question's fields and previews, then the
// try pane.
void layOutQuestion(const Placer& place, const Units& u, int rightEdge, int rightEnd, int bottom) {
    int y = u.gap;
    place(QuestionHeading, rightEdge, y, rightEnd, y + u.line);
    y += u.line + u.gap;
    y = labelled(place, u, AnswerLabel, AnswerEdit, rightEdge, rightEnd, y, u.row);
    y = labelled(place, u, SecondAnswerLabel, SecondAnswerEdit, rightEdge, rightEnd, y, u.row);
    y = labelled(place, u, CaptionLabel, CaptionEdit, rightEdge, rightEnd, y, u.row);
    y = labelled(place, u, RevealLabel, RevealEdit, rightEdge, rightEnd, y, 2 * u.line + 8);
    const ControlId files[][3] = {{MediaLabel, MediaEdit, MediaBrowse},
                                  {WebVideoLabel, WebVideoEdit, WebVideoBrowse},
                                  {PictureLabel, PictureEdit, PictureBrowse}};
    for (const auto& row : files) {
        labelled(place, u, row[0], row[1], rightEdge, rightEnd - u.button - u.gap, y, u.row);
        place(row[2], rightEnd - u.button, y, rightEnd, y + u.row);
        y += u.step;
    }
    // The previews take what the column has beyond its least height, up to
    // their full size; the list of typos below takes the rest.
    const int spare = bottom - (y + u.previewHeight + u.gap + u.step + 4 * u.line);
    const int previewHeight = u.previewHeight + std::max(0, std::min(spare, u.fullPreviewHeight - u.previewHeight));
    const int previewWidth = std::min((rightEnd - rightEdge - u.label - u.gap) / 2, previewHeight * 2);
    place(PreviewLabel, rightEdge, y + 4, rightEdge + u.label - u.gap, y + 4 + u.line);
    place(MediaPreview, rightEdge + u.label, y, rightEdge + u.label + previewWidth, y + previewHeight);
    place(PicturePreview, rightEdge + u.label + previewWidth + u.gap, y,
          rightEdge + u.label + 2 * previewWidth + u.gap, y + previewHeight);
    y += previewHeight + u.gap;

    place(TryLabel, rightEdge, y + 4, rightEdge + u.label - u.gap, y + 4 + u.line);
    const int whichEnd = rightEdge + u.label + u.button;
    place(TryWhich, rightEdge + u.label, y, whichEnd, y + u.row);
    place(TryEdit, whichEnd + u.gap, y, rightEnd - u.button - u.gap, y + u.row);
    place(VerdictText, rightEnd - u.button, y, rightEnd, y + u.row);
    y += u.step;
    place(TypoList, rightEdge, y, rightEnd, bottom);
}

}  // namespace

EditorLayout layOutEditor(int width, int height, const FontMetrics& font) {
    const Units u = unitsOf(font);
    const Box least = minimumClientArea(font);
    width = std::max(width, least.right);
    height = std::max(height, least.bottom);
    EditorLayout layout = {};
    const Placer place{&layout};
    // The problems list takes a line of every three the window has beyond
    // its least height, up to its full lines; the columns take the rest.
    const int problemLines =
        std::min<int>(FullProblemLines, LeastProblemLines + (height - least.bottom) / (3 * u.line));
    const int columnsBottom = layOutBottom(place, u, width, height, problemLines);
    // Two columns: the quiz's settings and its questions on the left, the
    // selected question and the try pane on the right.
    const int leftWidth = std::max(leftMinimum(font), (width - 3 * u.gap) * 42 / 100);
    const int leftEdge = u.gap, leftEnd = u.gap + leftWidth;
    layOutQuiz(place, u, leftEdge, leftEnd, columnsBottom);
    layOutQuestion(place, u, leftEnd + u.gap, width - u.gap, columnsBottom);
    return layout;
}

int leastWindowHeight(const FontMetrics& font) { return minimumClientArea(font).bottom / 2; }

VerticalScroll scrollFor(int height, int top, const FontMetrics& font) {
    const int content = minimumClientArea(font).bottom;
    if (height >= content) return VerticalScroll{false, content, height, 0};
    return VerticalScroll{true, content, height, std::max(0, std::min(top, content - height))};
}

int topShowing(const VerticalScroll& scroll, const Box& box) {
    if (!scroll.needed) return 0;
    int top = scroll.top;
    if (box.bottom > top + scroll.page) top = box.bottom - scroll.page;
    if (box.top < top) top = box.top;
    return std::max(0, std::min(top, scroll.content - scroll.page));
}

EditorLayout layOutScrolled(int width, int height, int top, const FontMetrics& font) {
    EditorLayout layout = layOutEditor(width, height, font);
    for (Box& box : layout.boxes) {
        box.top -= top;
        box.bottom -= top;
    }
    return layout;
}
