#pragma once
#include <windows.h>

// Loads picture resource name/type of module, fitted into the box; null when
// it is missing or unreadable (no message). The caller owns the bitmap.
HBITMAP loadPicture(HMODULE module, LPCSTR name, LPCSTR type, int boxWidth, int boxHeight);
// Decodes an image file held in memory to a full-size bitmap, or null.
HBITMAP decodePicture(const void* bytes, DWORD count);
// A new bitmap of the fitted size; source is neither changed nor deleted.
HBITMAP fitBitmap(HBITMAP source, int boxWidth, int boxHeight);

// Pictures decoded and fitted on background threads while the windows are
// made. Owned by whoever starts it, who finishes it once the pictures are
// taken.
struct PicturePrefetch;

// Starts decoding and fitting picture resources firstNumber to
// firstNumber + count - 1 of module on background threads, in that order,
// for takePicture; null when nothing could be started (takePicture then
// loads each picture itself).
PicturePrefetch* startPicturePrefetch(HMODULE module, LPCSTR type, int firstNumber, int count, int boxWidth,
                                      int boxHeight);
// The same bitmap as loadPicture of resource number, taken from the prefetch
// when it holds that picture (waiting for it if need be), loaded now
// otherwise (always, for a null prefetch). Each prefetched picture is taken
// once.
HBITMAP takePicture(PicturePrefetch* prefetch, HMODULE module, int number, LPCSTR type, int boxWidth, int boxHeight);
// Stops the prefetch and frees it: waits for its threads and frees the
// pictures that were not taken.
void finishPicturePrefetch(PicturePrefetch* prefetch);
