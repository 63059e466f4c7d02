#pragma once
// Moving between answer fields with Tab and Shift+Tab: the field numbers and
// the scrolling that brings a newly reached grid row into view. Portable
// arithmetic over the board's layout; no platform calls.

// The field reached from field k (1 to fieldCount) in direction +1 or -1,
// wrapping around at both ends.
int nextFieldNumber(int k, int direction, int fieldCount);

// True when field t opens a grid row other than the first: three questions
// of format answer fields each make a row.
bool opensLaterGridRow(int t, int format);

// The question (from 1) that answer field k belongs to.
int questionOfField(int k, int format);

// The vertical extent of question i's cell in content pixels: from its
// highest control to just below its lowest.
struct VerticalSpan {
    int top;
    int bottom;
};
VerticalSpan cellVerticalSpan(int style, int i, int format, int mode);

// Signed count of line steps (lineHeight pixels each, negative is up) that
// bring span into a view of visibleHeight pixels whose top is at position.
// A span taller than the view is aligned on its top.
int lineStepsToShow(VerticalSpan span, int position, int visibleHeight, int lineHeight);
