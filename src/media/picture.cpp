#include "media/picture.h"

#include <ole2.h>
#include <olectl.h>
#include <wincodec.h>

#include "media/fit.h"

// Two decoders turn a picture resource into a fitted bitmap. The imaging
// component decodes to memory that is scaled once, straight to the fitted
// size: much faster than the OLE picture loader followed by a full-size
// stretch, which matters when a grid of 90 pictures is built at start. The OLE
// loader stays as the fallback for anything the imaging component cannot
// read, and as decodePicture/fitBitmap for callers that want the full-size
// bitmap.

namespace {

// Releases a COM interface pointer if it was obtained.
template <typename T>
void release(T*& object) {
    if (object) object->Release();
    object = nullptr;
}

// A screen-compatible bitmap of width x height holding the given top-down
// 32-bit BGR pixels.
HBITMAP screenBitmapFromPixels(const void* pixels, int width, int height) {
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as the pixels were copied
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    if (bitmap && SetDIBits(screen, bitmap, 0, height, pixels, &info, DIB_RGB_COLORS) != height) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// Decodes the first frame of an image file in memory with the imaging
// component and reduces or enlarges it to its fitted size in the box; null
// when the component is missing or cannot read the bytes. COM must be
// initialised.
HBITMAP decodeFittedWithImaging(const void* bytes, DWORD count, int boxWidth, int boxHeight) {
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    HBITMAP result = nullptr;
    UINT width = 0, height = 0;
    FittedSize size = {0, 0};
    WICPixelFormatGUID format;
    IWICBitmapSource* pixels = nullptr;  // the frame or the converter, not owned
    UINT bytesPerPixel = 4, stride = 0;
    BYTE* full = nullptr;
    BYTE* fitted = nullptr;
    HANDLE heap = GetProcessHeap();

    // The version-1 factory exists on every Windows the player runs on.
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, (void**)&factory)))
        goto done;
    if (FAILED(factory->CreateStream(&stream))) goto done;
    if (FAILED(stream->InitializeFromMemory((BYTE*)bytes, count))) goto done;
    if (FAILED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand,
                                                &decoder)))
        goto done;
    if (FAILED(decoder->GetFrame(0, &frame))) goto done;
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
    full = (BYTE*)HeapAlloc(heap, 0, (SIZE_T)stride * height);
    fitted = (BYTE*)HeapAlloc(heap, 0, (SIZE_T)size.width * size.height * 4);
    if (!full || !fitted) goto done;
    if (FAILED(pixels->CopyPixels(nullptr, stride, stride * height, full))) goto done;
    if (!scalePixels(full, (int)width, (int)height, (int)stride, (int)bytesPerPixel, fitted, size.width,
                     size.height, size.width * 4))
        goto done;
    result = screenBitmapFromPixels(fitted, size.width, size.height);

done:
    if (full) HeapFree(heap, 0, full);
    if (fitted) HeapFree(heap, 0, fitted);
    release(converter);
    release(frame);
    release(decoder);
    release(stream);
    release(factory);
    return result;
}

}  // namespace

HBITMAP loadPicture(HMODULE module, LPCSTR name, LPCSTR type, int boxWidth, int boxHeight) {
    HRSRC found = FindResourceA(module, name, type);
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded) return nullptr;
    DWORD size = SizeofResource(module, found);
    const void* bytes = LockResource(loaded);
    if (!bytes || size == 0) return nullptr;

    // One COM initialisation around both decoders keeps the imaging
    // component loaded while the fallback runs; it nests inside the
    // process-wide one of the video style.
    CoInitialize(nullptr);
    HBITMAP fitted = decodeFittedWithImaging(bytes, size, boxWidth, boxHeight);
    if (!fitted) {
        HBITMAP full = decodePicture(bytes, size);
        if (full) {
            fitted = fitBitmap(full, boxWidth, boxHeight);
            DeleteObject(full);  // nothing uses the full-size picture afterwards
        }
    }
    CoUninitialize();
    FreeResource(loaded);
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
