// Whether a picture file decodes as JPEG, the one format the player's picture
// loader is sure to read. Decoded in full, so a cut-off file is caught too:
// natively with libjpeg, on Windows through the imaging component (WIC).
#include "manifest.h"

#ifdef _WIN32

#include <string.h>

#include <vector>

#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

// Releases a COM pointer at the end of a scope.
template <typename T>
struct ComRelease {
    T* pointer = nullptr;
    ~ComRelease() {
        if (pointer) pointer->Release();
    }
};

static bool decodeWithWic(const Bytes& bytes, std::string* why) {
    ComRelease<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory.pointer)))) {
        *why = "the Windows imaging component is not available";
        return false;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block) {
        *why = "out of memory";
        return false;
    }
    void* target = GlobalLock(block);
    memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(block);
    ComRelease<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream.pointer))) {
        GlobalFree(block);
        *why = "out of memory";
        return false;
    }
    ComRelease<IWICBitmapDecoder> decoder;
    if (FAILED(factory.pointer->CreateDecoderFromStream(stream.pointer, nullptr, WICDecodeMetadataCacheOnDemand,
                                                         &decoder.pointer))) {
        *why = "not a picture file, or a damaged one";
        return false;
    }
    GUID format;
    if (FAILED(decoder.pointer->GetContainerFormat(&format)) || format != GUID_ContainerFormatJpeg) {
        *why = "a picture, but not in JPEG format";
        return false;
    }
    ComRelease<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    if (FAILED(decoder.pointer->GetFrame(0, &frame.pointer)) || FAILED(frame.pointer->GetSize(&width, &height)) ||
        width == 0 || height == 0) {
        *why = "the JPEG data cannot be decoded";
        return false;
    }
    ComRelease<IWICBitmapSource> converted;
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.pointer, &converted.pointer))) {
        *why = "the JPEG data cannot be decoded";
        return false;
    }
    // Pulling every pixel is what finds damaged or cut-off data.
    std::vector<BYTE> pixels(static_cast<size_t>(width) * 4);
    for (UINT row = 0; row < height; ++row) {
        WICRect line = {0, static_cast<INT>(row), static_cast<INT>(width), 1};
        if (FAILED(converted.pointer->CopyPixels(&line, width * 4, static_cast<UINT>(pixels.size()), pixels.data()))) {
            *why = "the JPEG data is damaged or cut off";
            return false;
        }
    }
    return true;
}

bool decodesAsJpeg(const Bytes& bytes, std::string* why) {
    if (bytes.empty()) {
        *why = "the file is empty";
        return false;
    }
    HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool fine = decodeWithWic(bytes, why);
    if (SUCCEEDED(init)) CoUninitialize();
    return fine;
}

#else

#include <setjmp.h>
#include <stdio.h>

#include <jpeglib.h>

// libjpeg reports fatal errors through a callback that must not return;
// jumping back to the caller keeps the failure a plain result.
struct JpegErrors {
    jpeg_error_mgr manager;
    jmp_buf back;
    char message[JMSG_LENGTH_MAX];
};

static void onJpegError(j_common_ptr info) {
    JpegErrors* errors = reinterpret_cast<JpegErrors*>(info->err);
    (*info->err->format_message)(info, errors->message);
    longjmp(errors->back, 1);
}

// Corrupt-data warnings (level -1) are kept; trace messages are not printed.
static void onJpegMessage(j_common_ptr info, int level) {
    if (level < 0) {
        JpegErrors* errors = reinterpret_cast<JpegErrors*>(info->err);
        if (info->err->num_warnings == 0) (*info->err->format_message)(info, errors->message);
        info->err->num_warnings++;
    }
}

// Decodes every row; only C objects live here, since a longjmp skips
// destructors. Returns 0 when decoded, 1 on a fatal error.
static int decodeAllRows(jpeg_decompress_struct* info, JpegErrors* errors, const unsigned char* bytes,
                         unsigned long size) {
    if (setjmp(errors->back)) return 1;
    jpeg_mem_src(info, const_cast<unsigned char*>(bytes), size);
    jpeg_read_header(info, TRUE);
    jpeg_start_decompress(info);
    JSAMPARRAY row = (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                                info->output_width * info->output_components, 1);
    while (info->output_scanline < info->output_height) jpeg_read_scanlines(info, row, 1);
    jpeg_finish_decompress(info);
    return 0;
}

bool decodesAsJpeg(const Bytes& bytes, std::string* why) {
    if (bytes.empty()) {
        *why = "the file is empty";
        return false;
    }
    jpeg_decompress_struct info;
    JpegErrors errors;
    errors.message[0] = '\0';
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = onJpegError;
    errors.manager.emit_message = onJpegMessage;
    jpeg_create_decompress(&info);
    int failed = decodeAllRows(&info, &errors, bytes.data(), static_cast<unsigned long>(bytes.size()));
    long warnings = errors.manager.num_warnings;
    jpeg_destroy_decompress(&info);
    if (failed) {
        *why = errors.message;
        return false;
    }
    if (warnings > 0) {
        *why = std::string("the JPEG data is damaged or cut off (") + errors.message + ")";
        return false;
    }
    return true;
}

#endif
