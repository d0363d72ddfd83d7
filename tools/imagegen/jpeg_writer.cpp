#include "jpeg_writer.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

std::vector<uint8_t> EncodeJpeg(const Image& image, int quality) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);  // the tool may exit on a library error
    jpeg_create_compress(&cinfo);

    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width());
    cinfo.image_height = static_cast<JDIMENSION>(image.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);  // baseline tables
    cinfo.dct_method = JDCT_ISLOW;
    for (int c = 0; c < 3; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }

    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(image.width()) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < image.width(); ++x) {
            const Rgba& p = image.at(x, y);
            row[static_cast<std::size_t>(x) * 3 + 0] = p.r;
            row[static_cast<std::size_t>(x) * 3 + 1] = p.g;
            row[static_cast<std::size_t>(x) * 3 + 2] = p.b;
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);

    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}
