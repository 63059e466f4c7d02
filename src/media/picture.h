#pragma once
#include <windows.h>

// Loads picture resource name/type of module, fitted into the box; null when
// it is missing or unreadable (no message). The caller owns the bitmap.
HBITMAP loadPicture(HMODULE module, LPCSTR name, LPCSTR type, int boxWidth, int boxHeight);
// Decodes an image file held in memory to a full-size bitmap, or null.
HBITMAP decodePicture(const void* bytes, DWORD count);
// A new bitmap of the fitted size; source is neither changed nor deleted.
HBITMAP fitBitmap(HBITMAP source, int boxWidth, int boxHeight);

// Starts decoding and fitting picture resources firstNumber to
// firstNumber + count - 1 of module on background threads, in that order,
// for takePicture. One prefetch at a time; a second start is ignored.
void startPicturePrefetch(HMODULE module, LPCSTR type, int firstNumber, int count, int boxWidth, int boxHeight);
// The same bitmap as loadPicture of resource number, taken from the prefetch
// when it holds that picture (waiting for it if need be), loaded now
// otherwise. Each prefetched picture is taken once.
HBITMAP takePicture(HMODULE module, int number, LPCSTR type, int boxWidth, int boxHeight);
// Stops the prefetch: waits for its threads and frees what was not taken.
void finishPicturePrefetch();
