#pragma once
// Size of a picture fitted into a box with its aspect ratio kept, enlarged
// or reduced; each side truncated toward zero.
struct FittedSize {
    int width;
    int height;
};
FittedSize fittedSize(int sourceWidth, int sourceHeight, int boxWidth, int boxHeight);

// Scales a picture of 24- or 32-bit pixels (sourceBytesPerPixel 3 or 4,
// rows top-down, stride bytes from one row to the next) to 32-bit pixels of
// targetWidth x targetHeight (the fourth byte 0 from 24-bit pixels). Every
// target pixel is the exact area-weighted average of the source pixels it
// covers, each byte of a pixel averaged separately and rounded, so fine
// detail turns to its mean colour instead of being picked or dropped.
// false (target untouched) for empty sizes or when memory runs out.
bool scalePixels(const unsigned char* source, int sourceWidth, int sourceHeight, int sourceStride,
                 int sourceBytesPerPixel, unsigned char* target, int targetWidth, int targetHeight,
                 int targetStride);
// The same for one plane of 1-byte samples (one colour channel of a
// picture), to targetWidth x targetHeight bytes.
bool scalePlane(const unsigned char* source, int sourceWidth, int sourceHeight, int sourceStride,
                unsigned char* target, int targetWidth, int targetHeight, int targetStride);
