#include "layout/placement.h"

int centredStart(int outerStart, int outerSize, int innerSize) { return outerStart + (outerSize - innerSize) / 2; }

int linkFontHeight(int clientHeight) { return -(clientHeight * 3 / 4); }
