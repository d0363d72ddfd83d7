#include "d3dx/image_file.h"

namespace {

bool StartsWithJpegMarker(const uint8_t* data, std::size_t size) {
    return data != nullptr && size >= 2 && data[0] == 0xFF && data[1] == 0xD8;
}

}  // namespace

DecodeStatus DecodeImageFile(const uint8_t* data, std::size_t size, DecodedImage* image,
                             ImageFileKind* kind) {
    if (StartsWithJpegMarker(data, size)) {
        *kind = ImageFileKind::Jpeg;
        return DecodeJpeg(data, size, image);
    }
    *kind = ImageFileKind::Tga;
    return DecodeTga(data, size, image);
}

void ApplyColourKey(uint32_t key, DecodedImage* image) {
    if (key == 0) {
        return;
    }
    for (uint32_t& pixel : image->pixels) {
        if (pixel == key) {
            pixel = 0;
            image->hasAlpha = true;
        }
    }
}
