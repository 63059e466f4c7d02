// Where the time of one picture goes: times each step of both decoders on
// the pictures of a built quiz, and the picture loader as a whole.
//
//   picture-phases QUIZ.exe COUNT
//
// Uses resources "IMG" 401 .. 400 + COUNT of QUIZ.exe, loaded as data.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <stdio.h>
#include <stdlib.h>
#include <wincodec.h>

#include "media/fit.h"
#include "media/jpeg.h"
#include "media/picture.h"

namespace {

LARGE_INTEGER frequency;

double now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart * 1000.0 / frequency.QuadPart;
}

struct Phase {
    const char* name;
    double total;
};

Phase phases[] = {
    {"ole: CoInitialize + stream", 0},
    {"ole: OleLoadPicture (decode)", 0},
    {"ole: get_Handle + CopyImage", 0},
    {"ole: release + CoUninitialize", 0},
    {"ole: fitBitmap (HALFTONE StretchBlt)", 0},
    {"wic: CoInitialize + factory (once a thread)", 0},
    {"wic: JPEG decoder + frame (decodes)", 0},
    {"wic: CopyPixels (24-bit, no converter)", 0},
    {"wic: scalePixels (area average)", 0},
    {"wic: CreateCompatibleBitmap + SetDIBits", 0},
    {"wic: release", 0},
    {"own: JPEG decode, planes fitted, to BGR", 0},
    {"loadPicture, whole", 0},
    {"loadPicture, whole, COM kept initialised", 0},
    {"cell: loadPicture + picture box + STM_SETIMAGE", 0},
};
enum {
    OleStream, OleDecode, OleCopy, OleRelease, OleFit,
    WicFactory, WicDecoder, WicPixels, WicScale, WicBitmap, WicRelease, OwnJpeg,
    LoadWhole, LoadWholeCom, Cell
};

void timeOle(const void* bytes, DWORD count) {
    double t0 = now();
    CoInitialize(nullptr);
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, count);
    CopyMemory((void*)block, bytes, count);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(block, TRUE, &stream);
    double t1 = now();
    IPicture* picture = nullptr;
    OleLoadPicture(stream, (LONG)count, FALSE, IID_IPicture, (void**)&picture);
    double t2 = now();
    OLE_HANDLE handle = 0;
    picture->get_Handle(&handle);
    HBITMAP copy = (HBITMAP)CopyImage((HANDLE)(UINT_PTR)handle, IMAGE_BITMAP, 0, 0, 0);
    double t3 = now();
    picture->Release();
    stream->Release();
    CoUninitialize();
    double t4 = now();
    HBITMAP fitted = fitBitmap(copy, 260, 260);
    double t5 = now();
    DeleteObject(copy);
    DeleteObject(fitted);
    phases[OleStream].total += t1 - t0;
    phases[OleDecode].total += t2 - t1;
    phases[OleCopy].total += t3 - t2;
    phases[OleRelease].total += t4 - t3;
    phases[OleFit].total += t5 - t4;
}

// As a prefetch thread does: COM, the factory, the JPEG decoder's class
// object and a screen DC made once, then each picture decoded, scaled and
// made a bitmap.
IWICImagingFactory* factory;
IClassFactory* jpegDecoders;
HDC screen;

void openWic() {
    double t0 = now();
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     (void**)&factory);
    CoGetClassObject(CLSID_WICJpegDecoder, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, (void**)&jpegDecoders);
    screen = GetDC(nullptr);
    phases[WicFactory].total += now() - t0;
}

void closeWic() {
    ReleaseDC(nullptr, screen);
    jpegDecoders->Release();
    factory->Release();
    CoUninitialize();
}

void timeWic(const void* bytes, DWORD count) {
    double t1 = now();
    IWICStream* stream = nullptr;
    factory->CreateStream(&stream);
    stream->InitializeFromMemory((BYTE*)bytes, count);
    IWICBitmapDecoder* decoder = nullptr;
    jpegDecoders->CreateInstance(nullptr, IID_IWICBitmapDecoder, (void**)&decoder);
    decoder->Initialize(stream, WICDecodeMetadataCacheOnDemand);
    IWICBitmapFrameDecode* frame = nullptr;
    decoder->GetFrame(0, &frame);
    UINT w = 0, h = 0;
    frame->GetSize(&w, &h);
    double t2 = now();
    // As the loader does: 3-byte BGR straight from the frame, else converted.
    IWICFormatConverter* converter = nullptr;
    IWICBitmapSource* pixels = frame;
    UINT bpp = 3;
    WICPixelFormatGUID format;
    frame->GetPixelFormat(&format);
    if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
        factory->CreateFormatConverter(&converter);
        converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                              WICBitmapPaletteTypeCustom);
        pixels = converter;
        bpp = 4;
    }
    UINT stride = (w * bpp + 3) & ~3u;
    BYTE* full = (BYTE*)malloc((size_t)stride * h);
    pixels->CopyPixels(nullptr, stride, stride * h, full);
    double t3 = now();
    FittedSize size = fittedSize((int)w, (int)h, 260, 260);
    BYTE* fitted = (BYTE*)malloc((size_t)size.width * size.height * 4);
    scalePixels(full, (int)w, (int)h, (int)stride, (int)bpp, fitted, size.width, size.height, size.width * 4);
    double t4 = now();
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size.width, size.height);
    SetDIBits(screen, bitmap, 0, size.height, fitted, &info, DIB_RGB_COLORS);
    double t5 = now();
    if (converter) converter->Release();
    frame->Release();
    decoder->Release();
    stream->Release();
    double t6 = now();
    free(full);
    free(fitted);
    DeleteObject(bitmap);
    phases[WicDecoder].total += t2 - t1;
    phases[WicPixels].total += t3 - t2;
    phases[WicScale].total += t4 - t3;
    phases[WicBitmap].total += t5 - t4;
    phases[WicRelease].total += t6 - t5;
}

// The program's own JPEG path: header, decode, planes fitted, colour conversion.
void timeOwnJpeg(const void* bytes, DWORD count) {
    double t0 = now();
    FittedSize size;
    if (!jpegFittedSize((const unsigned char*)bytes, count, 260, 260, &size)) return;
    unsigned char* fitted = (unsigned char*)malloc((size_t)size.width * size.height * 4);
    if (fitted) decodeFittedJpeg((const unsigned char*)bytes, count, size, fitted);
    free(fitted);
    phases[OwnJpeg].total += now() - t0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: picture-phases QUIZ.exe COUNT\n");
        return 2;
    }
    QueryPerformanceFrequency(&frequency);
    HMODULE quiz = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    int count = atoi(argv[2]);
    if (!quiz || count < 1) return 1;
    for (int pass = 0; pass < 3; ++pass) {
        if (pass == 1) openWic();
        for (int i = 1; i <= count; ++i) {
            HRSRC found = FindResourceA(quiz, MAKEINTRESOURCEA(400 + i), "IMG");
            if (!found) return 1;
            const void* bytes = LockResource(LoadResource(quiz, found));
            DWORD size = SizeofResource(quiz, found);
            double t0 = now();
            if (pass == 0) timeOle(bytes, size);
            if (pass == 1) {
                timeWic(bytes, size);
                timeOwnJpeg(bytes, size);
            }
            if (pass == 2) {
                DeleteObject(loadPicture(quiz, MAKEINTRESOURCEA(400 + i), "IMG", 260, 260));
                phases[LoadWhole].total += now() - t0;
            }
        }
        if (pass == 1) closeWic();
    }
    CoInitialize(nullptr);
    for (int i = 1; i <= count; ++i) {
        double t0 = now();
        DeleteObject(loadPicture(quiz, MAKEINTRESOURCEA(400 + i), "IMG", 260, 260));
        phases[LoadWholeCom].total += now() - t0;
    }
    CoUninitialize();
    // As the board does it: a hidden parent, one picture box per cell.
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 900, 600, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    for (int i = 1; i <= count; ++i) {
        double t0 = now();
        HBITMAP picture = loadPicture(quiz, MAKEINTRESOURCEA(400 + i), "IMG", 260, 260);
        HWND box = CreateWindowExA(0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER | SS_BITMAP |
                                   SS_CENTERIMAGE, 10, 10, 260, 195, parent, (HMENU)(INT_PTR)(9000 + i),
                                   GetModuleHandleA(nullptr), nullptr);
        SendMessageA(box, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)picture);
        phases[Cell].total += now() - t0;
    }
    DestroyWindow(parent);
    printf("%-44s %9s %9s\n", "phase", "ms/pic", "ms/quiz");
    for (const Phase& phase : phases)
        printf("%-44s %9.2f %9.1f\n", phase.name, phase.total / count, phase.total);
    return 0;
}
