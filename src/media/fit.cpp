// PLACEHOLDER: replaced by the picture fitting.
#include "media/fit.h"
FittedSize fittedSize(int, int, int boxWidth, int boxHeight) { return FittedSize{boxWidth, boxHeight}; }
