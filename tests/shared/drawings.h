#pragma once
// Pictures drawn for the tests of the authors' library: one colour with
// squares of others, written as JPEG, PNG or BMP files by stb_image_write
// (which the library compiles in).
#include <string.h>

#include <vector>

#include <stb_image_write.h>

typedef std::vector<unsigned char> Bytes;

struct Rgba {
    unsigned char r, g, b, a;
};
const Rgba Grey = {128, 128, 128, 255}, Red = {230, 20, 20, 255};

// A width x height picture of one colour with corner squares of its own.
struct Drawing {
    int width, height;
    std::vector<unsigned char> rgba;
};

inline Drawing drawing(int width, int height, Rgba colour) {
    Drawing d{width, height, {}};
    for (int i = 0; i < width * height; ++i) d.rgba.insert(d.rgba.end(), {colour.r, colour.g, colour.b, colour.a});
    return d;
}

inline void paint(Drawing* d, int left, int top, int size, Rgba colour) {
    for (int y = top; y < top + size; ++y)
        for (int x = left; x < left + size; ++x) memcpy(&d->rgba[(y * d->width + x) * 4], &colour, 4);
}

inline void append(void* context, void* data, int size) {
    static_cast<Bytes*>(context)->insert(static_cast<Bytes*>(context)->end(), static_cast<unsigned char*>(data),
                                         static_cast<unsigned char*>(data) + size);
}

inline Bytes asJpeg(const Drawing& d) {
    std::vector<unsigned char> rgb;
    for (size_t i = 0; i < d.rgba.size(); i += 4) rgb.insert(rgb.end(), &d.rgba[i], &d.rgba[i] + 3);
    Bytes out;
    stbi_write_jpg_to_func(append, &out, d.width, d.height, 3, rgb.data(), 95);
    return out;
}

inline Bytes asPng(const Drawing& d) {
    Bytes out;
    stbi_write_png_to_func(append, &out, d.width, d.height, 4, d.rgba.data(), d.width * 4);
    return out;
}

inline Bytes asBmp(const Drawing& d) {
    Bytes out;
    stbi_write_bmp_to_func(append, &out, d.width, d.height, 4, d.rgba.data());
    return out;
}
