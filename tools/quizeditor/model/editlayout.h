#pragma once
// Where every control of the editor's main window stands, from the size of
// its client area and the metrics of the system's message font, so the
// layout follows both the window and the screen's DPI. Portable: the window
// only applies it.
#include "controls.h"

struct Box {
    int left, top, right, bottom;
};

struct FontMetrics {
    int charWidth;    // average character width, pixels
    int lineHeight;   // height of a line of text, pixels
};

struct EditorLayout {
    Box boxes[ControlCount];
    const Box& operator[](ControlId id) const { return boxes[id - FirstControl]; }
};

// The smallest client area in which every control keeps its least size.
Box minimumClientArea(const FontMetrics& font);
// The place of every control in a client area of width x height (at least
// the minimum; a smaller one is laid out as the minimum).
EditorLayout layOutEditor(int width, int height, const FontMetrics& font);

// A window shorter than the least height (a screen of 800 x 600 with a
// larger font, a window beside another) shows its controls laid out at the
// least height and scrolls them: the window can be as short as half the
// least height.
int leastWindowHeight(const FontMetrics& font);
struct VerticalScroll {
    bool needed;   // the client area is shorter than the layout
    int content;   // the layout's height
    int page;      // the client area's height
    int top;       // how far the layout is scrolled up, within [0, content - page]
};
// The scroll of a client area height tall that asks to be scrolled to top.
VerticalScroll scrollFor(int height, int top, const FontMetrics& font);
// The top that shows box whole (the box in the layout, unscrolled), as
// little moved from scroll.top as can be.
int topShowing(const VerticalScroll& scroll, const Box& box);
// Every control's place in the client area, the layout scrolled up by top.
EditorLayout layOutScrolled(int width, int height, int top, const FontMetrics& font);
