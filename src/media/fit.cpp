#include "media/fit.h"

// One scale for both sides, the smaller of the two box ratios, so the whole
// picture fits; it may exceed 1, so small pictures are enlarged. Products
// are truncated, which can leave the limiting side one pixel short when
// the double product falls just below a whole number (97 * (100 / 97.0)).
FittedSize fittedSize(int sourceWidth, int sourceHeight, int boxWidth, int boxHeight) {
    if (sourceWidth <= 0 || sourceHeight <= 0) return FittedSize{0, 0};
    double rx = (double)boxWidth / sourceWidth;
    double ry = (double)boxHeight / sourceHeight;
    double r = ry < rx ? ry : rx;
    return FittedSize{(int)(sourceWidth * r), (int)(sourceHeight * r)};
}
