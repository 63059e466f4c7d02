// Encodes RGB pixels as a baseline JPEG with libjpeg, for benchmarks that
// need reference JPEGs: its colour at half (4:2:0) or full (4:4:4)
// resolution, at libjpeg's quality scale.
#pragma once

#include <stdio.h>
#include <stdlib.h>

#include <jpeglib.h>

#include <vector>

inline std::vector<unsigned char> libjpegEncode(const unsigned char* rgb, int width, int height, int quality,
                                                bool fullColour) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (fullColour) info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(&rgb[(size_t)info.next_scanline * width * 3]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<unsigned char> jpeg(out, out + size);
    free(out);
    return jpeg;
}
