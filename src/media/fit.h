#pragma once
// Size of a picture fitted into a box with its aspect ratio kept, enlarged
// or reduced; each side truncated toward zero.
struct FittedSize {
    int width;
    int height;
};
FittedSize fittedSize(int sourceWidth, int sourceHeight, int boxWidth, int boxHeight);
