#include "judge/fieldorder.h"

#include "board/layout.h"

int nextFieldNumber(int k, int direction, int fieldCount) {
    if (fieldCount < 1) return 1;
    if (direction < 0) return k <= 1 ? fieldCount : k - 1;
    return k >= fieldCount ? 1 : k + 1;
}

bool opensLaterGridRow(int t, int format) {
    int rowFields = 3 * format;
    return rowFields > 0 && t > 1 && t % rowFields == 1;
}

int questionOfField(int k, int format) { return format > 0 ? (k - 1) / format + 1 : k; }

// The extents follow the cell geometry of each style, row captions included.
VerticalSpan cellVerticalSpan(int style, int i, int format, int mode) {
    const bool twoFields = format == 2;
    switch (style) {
    case 1: {
        // Picture square above the baseline; below it the answers, the row
        // captions and, when the mode shows texts, the reveal box.
        int base = gridRowBase(i, mode);
        bool hasRevealBox = mode == 2 || mode == 3 || mode == 4;
        return VerticalSpan{base - 260, base + (hasRevealBox ? 121 : (twoFields ? 52 : 49))};
    }
    case 2: {
        int top = soundRowTop(i);
        return VerticalSpan{top, top + (twoFields ? 45 : 41)};
    }
    case 3: {
        // Video box on top, the buttons and answers just above the baseline.
        int base = gridRowBase(i, mode);
        return VerticalSpan{base - 250, base + (twoFields ? 1 : 0)};
    }
    default: {  // text rows, also the layout of an unknown style
        int top = listRowTop(i);
        return VerticalSpan{top - 1, top + (twoFields ? 41 : 20)};
    }
    }
}

static int stepsCovering(int pixels, int lineHeight) { return (pixels + lineHeight - 1) / lineHeight; }

int lineStepsToShow(VerticalSpan span, int position, int visibleHeight, int lineHeight) {
    if (lineHeight <= 0) return 0;
    if (span.top < position) return -stepsCovering(position - span.top, lineHeight);
    int viewBottom = position + visibleHeight;
    if (span.bottom <= viewBottom) return 0;
    // A span taller than the view keeps its top in view rather than its bottom.
    if (span.bottom - span.top > visibleHeight) return (span.top - position) / lineHeight;
    return stepsCovering(span.bottom - viewBottom, lineHeight);
}
