#include "d3dx/decoded_image.h"

// Stand-in until the TGA decoder joins this tree: reads no TGA file.
DecodeStatus DecodeTga(const uint8_t*, std::size_t, DecodedImage* image) {
    if (image != nullptr) {
        *image = DecodedImage{};
    }
    return DecodeStatus::NotThisFormat;
}
