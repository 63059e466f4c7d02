#include "layout/placement.h"

#include <algorithm>

int centredStart(int outerStart, int outerSize, int innerSize) { return outerStart + (outerSize - innerSize) / 2; }

int linkFontHeight(int clientHeight) { return -(clientHeight * 3 / 4); }

namespace {
const int BoardLeft = 5, BoardTop = 50, BoardRightMargin = 6, BoardBottomMargin = 18;
const int VersionRightMargin = 15, VersionBottomMargin = 16;
}  // namespace

Box boardPlace(int clientWidth, int clientHeight) {
    return Box{BoardLeft, BoardTop, clientWidth - BoardLeft - BoardRightMargin,
               clientHeight - BoardTop - BoardBottomMargin};
}

Box versionLinePlace(int clientWidth, int clientHeight, int textWidth) {
    return Box{clientWidth - VersionRightMargin - textWidth, clientHeight - VersionBottomMargin, textWidth,
               VersionLineHeight};
}

int frameOuterWidth(int contentWidth, const FrameMetrics& metrics) {
    const int boardOuter = contentWidth + 2 * metrics.boardBorder + metrics.scrollBarWidth;
    const int client = boardOuter + BoardLeft + BoardRightMargin;
    int outer = std::max(static_cast<int>(FrameStandardWidth), client + metrics.nonClientWidth);
    if (metrics.screenWidth > 0) outer = std::min(outer, metrics.screenWidth);
    return outer;
}
