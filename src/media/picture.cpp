#include "media/picture.h"

#include "format/resources.h"
#include "format/text.h"

#include <ole2.h>
#include <olectl.h>
#include <wincodec.h>

#include "media/fit.h"
#include "media/jpeg.h"

// Three decoders turn a picture resource into a fitted bitmap, each tried
// when the one before cannot read it. Baseline JPEGs, the photographs of a
// picture grid, are decoded by the program itself (media/jpeg.h); the imaging
// component reads the other formats. Both decode to memory that is scaled
// once, straight to the fitted size: much faster than the OLE picture loader
// followed by a full-size stretch, which matters when a grid of 90 pictures
// is built at start. The OLE loader stays as the last fallback, and as
// decodePicture/fitBitmap for callers that want the full-size bitmap.

namespace {

// Releases a COM interface pointer if it was obtained.
template <typename T>
void release(T*& object) {
    if (object) object->Release();
    object = nullptr;
}

// A bitmap compatible with screen (a display DC) of width x height holding
// the given top-down 32-bit BGR pixels.
HBITMAP screenBitmapFromPixels(HDC screen, const void* pixels, int width, int height) {
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as the pixels were copied
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HBITMAP bitmap = screen ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    if (bitmap && SetDIBits(screen, bitmap, 0, height, pixels, &info, DIB_RGB_COLORS) != height) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    return bitmap;
}

// A picture decoded and fitted to its box: top-down 32-bit BGR pixels from
// the process heap, width * 4 bytes a row.
struct FittedPixels {
    BYTE* pixels;
    int width;
    int height;
};

// What one thread needs to decode pictures with the imaging component, made
// once and used for every picture of that thread: the factory (made on
// first use, so a grid of JPEGs never loads the component), the class
// objects of the common decoders (made on first use), scratch memory for the
// full-size pixels, kept so each picture does not fault fresh pages in, and
// the screen DC the bitmaps are made compatible with.
enum KnownFormat { FormatJpeg, FormatPng, FormatGif, FormatBmp, KnownFormatCount, FormatOther = KnownFormatCount };

struct PictureDecoder {
    IWICImagingFactory* factory;
    IClassFactory* formats[KnownFormatCount];
    BYTE* scratch;
    SIZE_T scratchSize;
    HDC screen;
};

void openPictureDecoder(PictureDecoder* decoder) {
    ZeroMemory(decoder, sizeof *decoder);
    decoder->screen = GetDC(nullptr);
}

IWICImagingFactory* imagingFactory(PictureDecoder* decoder) {
    // The version-1 factory exists on every Windows the player runs on.
    if (!decoder->factory &&
        FAILED(CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                (void**)&decoder->factory)))
        decoder->factory = nullptr;
    return decoder->factory;
}

void closePictureDecoder(PictureDecoder* decoder) {
    for (IClassFactory*& format : decoder->formats) release(format);
    release(decoder->factory);
    if (decoder->scratch) HeapFree(GetProcessHeap(), 0, decoder->scratch);
    decoder->scratch = nullptr;
    decoder->scratchSize = 0;
    if (decoder->screen) ReleaseDC(nullptr, decoder->screen);
    decoder->screen = nullptr;
    releaseJpegMemory();
}

BYTE* scratchMemory(PictureDecoder* decoder, SIZE_T size) {
    if (size <= decoder->scratchSize) return decoder->scratch;
    HANDLE heap = GetProcessHeap();
    if (decoder->scratch) HeapFree(heap, 0, decoder->scratch);
    decoder->scratch = (BYTE*)HeapAlloc(heap, 0, size);
    decoder->scratchSize = decoder->scratch ? size : 0;
    return decoder->scratch;
}

// The format the first bytes announce; anything else is left to the
// component's own search over every installed decoder.
KnownFormat formatOf(const BYTE* bytes, DWORD count) {
    if (count >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return FormatJpeg;
    if (count >= 8 && memcmp(bytes, "\x89PNG\r\n\x1A\n", 8) == 0) return FormatPng;
    if (count >= 4 && memcmp(bytes, "GIF8", 4) == 0) return FormatGif;
    if (count >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return FormatBmp;
    return FormatOther;
}

// A decoder for the stream, made straight from its format's class object
// when the bytes announce a common format: the component's search reads the
// registry entries of every decoder, which costs more than the decoding of
// a small picture under some systems.
IWICBitmapDecoder* createDecoder(PictureDecoder* decoder, IWICStream* stream, const BYTE* bytes, DWORD count) {
    static const CLSID* const classes[KnownFormatCount] = {&CLSID_WICJpegDecoder, &CLSID_WICPngDecoder,
                                                           &CLSID_WICGifDecoder, &CLSID_WICBmpDecoder};
    IWICBitmapDecoder* result = nullptr;
    const KnownFormat format = formatOf(bytes, count);
    if (format != FormatOther) {
        IClassFactory*& maker = decoder->formats[format];
        if (!maker && FAILED(CoGetClassObject(*classes[format], CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                              (void**)&maker)))
            maker = nullptr;
        if (maker && SUCCEEDED(maker->CreateInstance(nullptr, IID_IWICBitmapDecoder, (void**)&result)) && result &&
            SUCCEEDED(result->Initialize(stream, WICDecodeMetadataCacheOnDemand)))
            return result;
        release(result);
        LARGE_INTEGER start = {};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
    }
    if (FAILED(decoder->factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &result)))
        return nullptr;
    return result;
}

// A baseline JPEG decoded by the program and fitted to the box; false when
// it is not one or does not decode.
bool decodeFittedJpegPixels(const void* bytes, DWORD count, int boxWidth, int boxHeight, FittedPixels* result) {
    FittedSize size;
    if (!jpegFittedSize((const BYTE*)bytes, count, boxWidth, boxHeight, &size)) return false;
    BYTE* fitted = (BYTE*)HeapAlloc(GetProcessHeap(), 0, (SIZE_T)size.width * size.height * 4);
    if (fitted && decodeFittedJpeg((const BYTE*)bytes, count, size, fitted)) {
        *result = FittedPixels{fitted, size.width, size.height};
        return true;
    }
    if (fitted) HeapFree(GetProcessHeap(), 0, fitted);
    return false;
}

// Decodes the first frame of an image file in memory and reduces or
// enlarges it to its fitted size in the box; false when neither the
// program's JPEG decoder nor the imaging component can read the bytes.
// Touches no window or GDI object, so any thread with COM initialised and
// its own decoder may call it.
bool decodeFittedPixels(PictureDecoder* decoder, const void* bytes, DWORD count, int boxWidth, int boxHeight,
                        FittedPixels* result) {
    if (decodeFittedJpegPixels(bytes, count, boxWidth, boxHeight, result)) return true;
    IWICImagingFactory* factory = imagingFactory(decoder);
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* image = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    bool done = false;
    UINT width = 0, height = 0;
    FittedSize size = {0, 0};
    WICPixelFormatGUID format;
    IWICBitmapSource* pixels = nullptr;  // the frame or the converter, not owned
    UINT bytesPerPixel = 4, stride = 0;
    BYTE* full = nullptr;
    BYTE* fitted = nullptr;
    HANDLE heap = GetProcessHeap();

    if (!factory) goto done;
    if (FAILED(factory->CreateStream(&stream))) goto done;
    if (FAILED(stream->InitializeFromMemory((BYTE*)bytes, count))) goto done;
    image = createDecoder(decoder, stream, (const BYTE*)bytes, count);
    if (!image) goto done;
    if (FAILED(image->GetFrame(0, &frame))) goto done;
    if (FAILED(frame->GetSize(&width, &height))) goto done;
    size = fittedSize((int)width, (int)height, boxWidth, boxHeight);
    if (size.width <= 0 || size.height <= 0) goto done;
    // Colour JPEGs decode to 3-byte BGR, which is scaled as it is; any
    // other pixel format goes through a converter to 4-byte BGR first.
    if (FAILED(frame->GetPixelFormat(&format))) goto done;
    if (IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
        pixels = frame;
        bytesPerPixel = 3;
    } else {
        if (FAILED(factory->CreateFormatConverter(&converter))) goto done;
        if (FAILED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                         nullptr, 0.0, WICBitmapPaletteTypeCustom)))
            goto done;
        pixels = converter;
        bytesPerPixel = 4;
    }
    // The scaling is done here rather than by the component's own scaler,
    // whose interpolation differs between platforms (some only pick single
    // pixels); area averaging gives the same picture everywhere.
    stride = (width * bytesPerPixel + 3) & ~3u;
    if ((ULONGLONG)stride * height > 0x7FFFFFFF) goto done;  // CopyPixels takes a 32-bit size
    full = scratchMemory(decoder, (SIZE_T)stride * height);
    fitted = (BYTE*)HeapAlloc(heap, 0, (SIZE_T)size.width * size.height * 4);
    if (!full || !fitted) goto done;
    if (FAILED(pixels->CopyPixels(nullptr, stride, stride * height, full))) goto done;
    if (!scalePixels(full, (int)width, (int)height, (int)stride, (int)bytesPerPixel, fitted, size.width,
                     size.height, size.width * 4))
        goto done;
    *result = FittedPixels{fitted, size.width, size.height};
    fitted = nullptr;  // now the caller's
    done = true;

done:
    if (fitted) HeapFree(heap, 0, fitted);
    release(converter);
    release(frame);
    release(image);
    release(stream);
    return done;
}

// The fitted bitmap of the imaging component, or null. COM must be
// initialised.
HBITMAP decodeFittedBitmap(PictureDecoder* decoder, const void* bytes, DWORD count, int boxWidth, int boxHeight) {
    FittedPixels fitted = {nullptr, 0, 0};
    HBITMAP result = nullptr;
    if (decodeFittedPixels(decoder, bytes, count, boxWidth, boxHeight, &fitted)) {
        result = screenBitmapFromPixels(decoder->screen, fitted.pixels, fitted.width, fitted.height);
        HeapFree(GetProcessHeap(), 0, fitted.pixels);
    }
    return result;
}

// The fitted bitmap of the program's JPEG decoder or the imaging component,
// with a decoder made for this one picture.
HBITMAP decodeFittedOnce(const void* bytes, DWORD count, int boxWidth, int boxHeight) {
    PictureDecoder decoder;
    openPictureDecoder(&decoder);
    HBITMAP result = decodeFittedBitmap(&decoder, bytes, count, boxWidth, boxHeight);
    closePictureDecoder(&decoder);
    return result;
}

// --- pictures decoded ahead of need ---------------------------------------
//
// A picture grid needs all of its pictures before the board is complete, and
// decoding is most of that time. Worker threads decode and fit them in
// resource order, and make their bitmaps, while the user-interface thread
// builds the windows; the board takes each one in turn, waiting only for one
// not finished yet. Bitmaps belong to the process, not to a thread, so the
// one made here is the one the board shows.

enum SlotState { SlotPending, SlotReady, SlotFailed };

struct PrefetchSlot {
    SlotState state;
    HBITMAP bitmap;
};

const int MaxPrefetchThreads = 4;

}  // namespace

struct PicturePrefetch {
    HMODULE module;
    char type[16];
    int firstNumber;
    int count;
    int boxWidth;
    int boxHeight;
    PrefetchSlot* slots;
    volatile LONG nextIndex;  // the next slot to claim, by any thread
    SRWLOCK lock;             // guards the slots' states
    CONDITION_VARIABLE finished;
    HANDLE threads[MaxPrefetchThreads];
    int threadCount;
    // The taking thread's own decoder, for pictures it decodes while it
    // would otherwise wait (see takePicture).
    PictureDecoder taker;
    bool takerOpen;
    HRESULT takerCom;
};

namespace {

// Claims slot index for the calling thread: false when another thread holds
// it already.
bool claimSlot(PicturePrefetch* prefetch, int index) {
    return InterlockedCompareExchange(&prefetch->nextIndex, index + 1, index) == index;
}

void decodeSlot(PicturePrefetch* prefetch, PictureDecoder* decoder, int index) {
    HBITMAP bitmap = nullptr;
    ResourceBytes picture =
        resourceBytes(prefetch->module, prefetch->type, MAKEINTRESOURCEA(prefetch->firstNumber + index));
    if (picture.bytes && picture.size > 0)
        bitmap = decodeFittedBitmap(decoder, picture.bytes, picture.size, prefetch->boxWidth, prefetch->boxHeight);
    AcquireSRWLockExclusive(&prefetch->lock);
    prefetch->slots[index].bitmap = bitmap;
    prefetch->slots[index].state = bitmap ? SlotReady : SlotFailed;
    ReleaseSRWLockExclusive(&prefetch->lock);
    WakeAllConditionVariable(&prefetch->finished);
}

DWORD WINAPI prefetchWorker(void* parameter) {
    PicturePrefetch* prefetch = static_cast<PicturePrefetch*>(parameter);
    // Its own apartment and decoder: the imaging component is free-threaded.
    HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    PictureDecoder decoder;
    openPictureDecoder(&decoder);
    for (;;) {
        LONG index = prefetch->nextIndex;
        if (index >= prefetch->count) break;
        if (claimSlot(prefetch, index)) decodeSlot(prefetch, &decoder, index);
    }
    closePictureDecoder(&decoder);
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

// Decodes slot index on the thread that takes the pictures.
void decodeSlotWhileWaiting(PicturePrefetch* prefetch, int index) {
    if (!prefetch->takerOpen) {
        prefetch->takerCom = CoInitialize(nullptr);
        openPictureDecoder(&prefetch->taker);
        prefetch->takerOpen = true;
    }
    decodeSlot(prefetch, &prefetch->taker, index);
}

void closeTakerDecoder(PicturePrefetch* prefetch) {
    if (!prefetch->takerOpen) return;
    closePictureDecoder(&prefetch->taker);
    if (SUCCEEDED(prefetch->takerCom)) CoUninitialize();
    prefetch->takerOpen = false;
}

// One worker for each processor but one: the window thread has one to build
// the board on, and it decodes too whenever it would wait for a picture.
// Workers on every processor made the board slower, not faster.
int prefetchThreadCount() {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    int processors = (int)system.dwNumberOfProcessors - 1;
    return processors < 1 ? 1 : (processors > MaxPrefetchThreads ? MaxPrefetchThreads : processors);
}

bool sameType(LPCSTR a, LPCSTR b) {
    if (IS_INTRESOURCE(a) || IS_INTRESOURCE(b)) return a == b;
    return lstrcmpiA(a, b) == 0;
}

}  // namespace

PicturePrefetch* startPicturePrefetch(HMODULE module, LPCSTR type, int firstNumber, int count, int boxWidth,
                                      int boxHeight) {
    if (count <= 0 || IS_INTRESOURCE(type) || lstrlenA(type) >= (int)sizeof(PicturePrefetch::type)) return nullptr;
    HANDLE heap = GetProcessHeap();
    PicturePrefetch* prefetch = (PicturePrefetch*)HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(PicturePrefetch));
    PrefetchSlot* slots = (PrefetchSlot*)HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(PrefetchSlot) * count);
    if (!prefetch || !slots) {
        if (prefetch) HeapFree(heap, 0, prefetch);
        if (slots) HeapFree(heap, 0, slots);
        return nullptr;
    }
    prefetch->module = module;
    copyText(prefetch->type, type);
    prefetch->firstNumber = firstNumber;
    prefetch->count = count;
    prefetch->boxWidth = boxWidth;
    prefetch->boxHeight = boxHeight;
    prefetch->slots = slots;
    InitializeSRWLock(&prefetch->lock);
    InitializeConditionVariable(&prefetch->finished);
    const int wanted = prefetchThreadCount();
    for (int t = 0; t < wanted; ++t) {
        HANDLE thread = CreateThread(nullptr, 0, prefetchWorker, prefetch, 0, nullptr);
        if (thread) prefetch->threads[prefetch->threadCount++] = thread;
    }
    if (prefetch->threadCount == 0) {  // takePicture then loads each picture itself
        finishPicturePrefetch(prefetch);
        return nullptr;
    }
    return prefetch;
}

HBITMAP takePicture(PicturePrefetch* prefetch, HMODULE module, int number, LPCSTR type, int boxWidth, int boxHeight) {
    const int index = prefetch ? number - prefetch->firstNumber : -1;
    if (!prefetch || module != prefetch->module || !sameType(type, prefetch->type) || index < 0 ||
        index >= prefetch->count || boxWidth != prefetch->boxWidth || boxHeight != prefetch->boxHeight)
        return loadPicture(module, MAKEINTRESOURCEA(number), type, boxWidth, boxHeight);
    // Not begun by a worker yet: loaded here rather than waited for.
    if (claimSlot(prefetch, index)) return loadPicture(module, MAKEINTRESOURCEA(number), type, boxWidth, boxHeight);
    // While a worker is still on this picture, a later one not begun yet is
    // decoded here rather than waited idle for: the board is complete sooner
    // with every processor decoding.
    AcquireSRWLockExclusive(&prefetch->lock);
    while (prefetch->slots[index].state == SlotPending) {
        const LONG next = prefetch->nextIndex;
        if (next < prefetch->count && claimSlot(prefetch, next)) {
            ReleaseSRWLockExclusive(&prefetch->lock);
            decodeSlotWhileWaiting(prefetch, next);
            AcquireSRWLockExclusive(&prefetch->lock);
            continue;
        }
        SleepConditionVariableSRW(&prefetch->finished, &prefetch->lock, INFINITE, 0);
    }
    PrefetchSlot slot = prefetch->slots[index];
    prefetch->slots[index].bitmap = nullptr;  // taken
    ReleaseSRWLockExclusive(&prefetch->lock);
    // What the imaging component cannot read goes through the whole loader,
    // OLE fallback included.
    if (slot.state != SlotReady) return loadPicture(module, MAKEINTRESOURCEA(number), type, boxWidth, boxHeight);
    return slot.bitmap;
}

void finishPicturePrefetch(PicturePrefetch* prefetch) {
    if (!prefetch) return;
    // Unclaimed slots are claimed here so the workers stop at once.
    InterlockedExchange(&prefetch->nextIndex, prefetch->count);
    if (prefetch->threadCount > 0)
        WaitForMultipleObjects((DWORD)prefetch->threadCount, prefetch->threads, TRUE, INFINITE);
    for (int t = 0; t < prefetch->threadCount; ++t) CloseHandle(prefetch->threads[t]);
    closeTakerDecoder(prefetch);
    for (int i = 0; i < prefetch->count; ++i)
        if (prefetch->slots[i].bitmap) DeleteObject(prefetch->slots[i].bitmap);
    HANDLE heap = GetProcessHeap();
    HeapFree(heap, 0, prefetch->slots);
    HeapFree(heap, 0, prefetch);
}

HBITMAP loadPicture(HMODULE module, LPCSTR name, LPCSTR type, int boxWidth, int boxHeight) {
    ResourceBytes picture = resourceBytes(module, type, name);
    if (!picture.bytes || picture.size == 0) return nullptr;

    // One COM initialisation around every decoder keeps the imaging
    // component loaded while the fallback runs; it nests inside the
    // process-wide one of the video style.
    CoInitialize(nullptr);
    HBITMAP fitted = decodeFittedOnce(picture.bytes, picture.size, boxWidth, boxHeight);
    if (!fitted) {
        HBITMAP full = decodePicture(picture.bytes, picture.size);
        if (full) {
            fitted = fitBitmap(full, boxWidth, boxHeight);
            DeleteObject(full);  // nothing uses the full-size picture afterwards
        }
    }
    CoUninitialize();
    return fitted;
}

HBITMAP decodePicture(const void* bytes, DWORD count) {
    if (!bytes || count == 0) return nullptr;
    // Paired with the CoUninitialize below on every way out, so the count
    // stays balanced whether or not COM was already initialised here.
    CoInitialize(nullptr);
    HBITMAP copy = nullptr;
    IStream* stream = nullptr;
    IPicture* picture = nullptr;
    OLE_HANDLE handle = 0;
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, count);
    if (!block) goto done;
    // A GMEM_FIXED block's handle is its address.
    CopyMemory((void*)block, bytes, count);
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)) || !stream) {
        GlobalFree(block);  // the stream did not take it over
        stream = nullptr;
        goto done;
    }
    if (FAILED(OleLoadPicture(stream, (LONG)count, FALSE, IID_IPicture, (void**)&picture)) ||
        !picture) {
        picture = nullptr;
        goto done;
    }
    // The handle belongs to the picture object and dies with it: keep a copy.
    if (SUCCEEDED(picture->get_Handle(&handle)) && handle)
        copy = (HBITMAP)CopyImage((HANDLE)(UINT_PTR)handle, IMAGE_BITMAP, 0, 0, 0);

done:
    release(picture);
    release(stream);  // frees the block
    CoUninitialize();
    return copy;
}

HBITMAP fitBitmap(HBITMAP source, int boxWidth, int boxHeight) {
    BITMAP info;
    ZeroMemory(&info, sizeof info);
    GetObjectA(source, sizeof info, &info);
    FittedSize size = fittedSize(info.bmWidth, info.bmHeight, boxWidth, boxHeight);

    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HGDIOBJ oldFrom = SelectObject(from, source);
    HBITMAP fitted = CreateCompatibleBitmap(screen, size.width, size.height);
    HGDIOBJ oldTo = SelectObject(to, fitted);
    // HALFTONE averages the source pixels that fall on each target pixel.
    SetStretchBltMode(to, HALFTONE);
    StretchBlt(to, 0, 0, size.width, size.height, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return fitted;
}
