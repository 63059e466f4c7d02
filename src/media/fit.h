#pragma once
// Size of a picture fitted into a box with its aspect ratio kept, enlarged
// or reduced; each side truncated toward zero.
struct FittedSize {
    int width;
    int height;
};
FittedSize fittedSize(int sourceWidth, int sourceHeight, int boxWidth, int boxHeight);

// Scales a picture of 32-bit pixels (4 bytes each, rows top-down, stride
// bytes from one row to the next) to targetWidth x targetHeight. Every
// target pixel is the exact area-weighted average of the source pixels it
// covers, each byte of a pixel averaged separately and rounded, so fine
// detail turns to its mean colour instead of being picked or dropped.
// false (target untouched) for empty sizes or when memory runs out.
bool scalePixels(const unsigned char* source, int sourceWidth, int sourceHeight, int sourceStride,
                 unsigned char* target, int targetWidth, int targetHeight, int targetStride);
