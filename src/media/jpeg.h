#pragma once
#include <stddef.h>

#include "media/fit.h"

// Baseline JPEG pictures (8-bit, grey or colour, sequential Huffman) decoded
// in the program itself: the platform's decoders take several times as long
// for the photographs of a picture grid, and all of them must be ready when
// the board opens. Anything else (progressive or 12-bit JPEG, CMYK, huge
// pictures, other formats) is refused here and left to the platform.

// The fitted size in the box of a JPEG this decoder reads; false when it
// does not read these bytes. Checks the markers of the whole file (a quick
// scan, repeated by decodeFittedJpeg) and decodes nothing.
bool jpegFittedSize(const unsigned char* bytes, size_t count, int boxWidth, int boxHeight, FittedSize* size);

// Decodes the JPEG and scales it to size (from jpegFittedSize) as 32-bit BGR
// pixels, rows top-down, size.width * 4 bytes a row, the fourth byte 0, into
// target. false (target left undefined) when the data turns out unreadable
// or memory runs out.
bool decodeFittedJpeg(const unsigned char* bytes, size_t count, FittedSize size, unsigned char* target);

// Pieces of the walk over a JPEG file's markers, shared with quizmaker's
// reading of any JPEG. True when a DHT segment's tables (length bytes after
// its length field) each hold at most 256 codes: stb_image's tables have
// room for no more, and it does not check.
bool jpegHuffmanTablesFit(const unsigned char* segment, size_t length);
// The position of the marker that ends the entropy-coded data starting at
// at: past stuffed zeros and restart markers; count when the data runs to
// the end.
size_t jpegScanEnd(const unsigned char* bytes, size_t count, size_t at);

// Each thread keeps the memory of its last decoded picture for the next
// one; this frees the calling thread's.
void releaseJpegMemory();
