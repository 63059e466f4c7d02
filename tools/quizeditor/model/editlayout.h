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
