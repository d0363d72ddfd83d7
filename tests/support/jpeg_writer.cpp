#include "jpeg_writer.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <jpeglib.h>

namespace {

struct ColourSetup {
    J_COLOR_SPACE space;
    int components;
};

ColourSetup SetupFor(JpegSamples kind) {
    switch (kind) {
        case JpegSamples::Grey:
            return {JCS_GRAYSCALE, 1};
        case JpegSamples::Cmyk:
            return {JCS_CMYK, 4};
        case JpegSamples::Rgb:
        default:
            return {JCS_RGB, 3};
    }
}

// Exceptions cannot pass through libjpeg's C frames; a test image that cannot be written
// or read back is a broken test.
[[noreturn]] void FailOnError(j_common_ptr info) {
    char message[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, message);
    std::fprintf(stderr, "a test JPEG failed: %s\n", message);
    std::abort();
}

// DC in one interleaved scan, then each AC coefficient of each component on its own,
// first its upper bits and then three refinements.
std::vector<jpeg_scan_info> ScanPerCoefficient(int components) {
    std::vector<jpeg_scan_info> scans;
    jpeg_scan_info dc = {};
    dc.comps_in_scan = components;
    for (int c = 0; c < components; ++c) {
        dc.component_index[c] = c;
    }
    scans.push_back(dc);
    for (int c = 0; c < components; ++c) {
        for (int k = 1; k < 64; ++k) {
            for (int high = 0, low = 3; low >= 0; high = low, --low) {
                jpeg_scan_info ac = {};
                ac.comps_in_scan = 1;
                ac.component_index[0] = c;
                ac.Ss = k;
                ac.Se = k;
                ac.Ah = high;
                ac.Al = low;
                scans.push_back(ac);
            }
        }
    }
    return scans;
}

}  // namespace

std::vector<uint8_t> WriteJpeg(uint32_t width, uint32_t height, JpegSamples kind,
                               const std::vector<uint8_t>& samples, const JpegWriteOptions& options) {
    const ColourSetup setup = SetupFor(kind);
    if (samples.size() != std::size_t{width} * height * static_cast<std::size_t>(setup.components)) {
        throw std::invalid_argument("sample count does not match the image size");
    }
    jpeg_compress_struct info = {};
    jpeg_error_mgr errors = {};
    info.err = jpeg_std_error(&errors);
    errors.error_exit = FailOnError;
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = setup.components;
    info.in_color_space = setup.space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, options.quality, TRUE);
    if (options.fullChroma && kind == JpegSamples::Rgb) {
        for (int c = 0; c < info.num_components; ++c) {
            info.comp_info[c].h_samp_factor = 1;
            info.comp_info[c].v_samp_factor = 1;
        }
    }
    if (options.progressive) {
        jpeg_simple_progression(&info);
    }
    const std::vector<jpeg_scan_info> scans = ScanPerCoefficient(info.num_components);
    if (options.scanPerCoefficient) {
        info.scan_info = scans.data();
        info.num_scans = static_cast<int>(scans.size());
    }
    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = std::size_t{width} * static_cast<std::size_t>(setup.components);
    while (info.next_scanline < height) {
        JSAMPROW row = const_cast<JSAMPLE*>(samples.data() + info.next_scanline * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> jpeg(buffer, buffer + size);
    std::free(buffer);
    return jpeg;
}

std::vector<uint8_t> QuadrantSamples(uint32_t width, uint32_t height) {
    static const uint8_t colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    std::vector<uint8_t> rgb;
    rgb.reserve(std::size_t{width} * height * 3);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const uint8_t* colour = colours[(y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0)];
            rgb.insert(rgb.end(), colour, colour + 3);
        }
    }
    return rgb;
}

std::size_t FindMarker(const std::vector<uint8_t>& jpeg, uint8_t code, std::size_t from) {
    for (std::size_t i = from; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == code) {
            return i;
        }
    }
    return jpeg.size();
}

void SetFrameSize(std::vector<uint8_t>& jpeg, uint16_t width, uint16_t height) {
    std::size_t frame = FindMarker(jpeg, 0xC0);
    if (frame == jpeg.size()) {
        frame = FindMarker(jpeg, 0xC2);
    }
    if (frame + 9 > jpeg.size()) {
        throw std::invalid_argument("no frame header");
    }
    jpeg[frame + 5] = static_cast<uint8_t>(height >> 8);
    jpeg[frame + 6] = static_cast<uint8_t>(height & 0xFF);
    jpeg[frame + 7] = static_cast<uint8_t>(width >> 8);
    jpeg[frame + 8] = static_cast<uint8_t>(width & 0xFF);
}

std::vector<uint8_t> ReadJpegRgb(const std::vector<uint8_t>& jpeg, uint32_t* width, uint32_t* height) {
    jpeg_decompress_struct info = {};
    jpeg_error_mgr errors = {};
    info.err = jpeg_std_error(&errors);
    errors.error_exit = FailOnError;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    *width = info.output_width;
    *height = info.output_height;
    std::vector<uint8_t> samples(std::size_t{info.output_width} * info.output_height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &samples[std::size_t{info.output_scanline} * info.output_width * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return samples;
}
