// Fuzz entry point of the TGA decoder: any input must come back as a status, and a
// successful decode must describe a consistent image.
#include <cstdint>
#include <cstdlib>

#include "image/decoded_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    DecodedImage image;
    const DecodeStatus status = DecodeTga(data, size, &image);
    if (status == DecodeStatus::Ok) {
        const bool consistent = image.width > 0 && image.height > 0 && image.width <= MaxDecodedDimension &&
                                image.height <= MaxDecodedDimension &&
                                image.pixels.size() == std::size_t{image.width} * image.height;
        if (!consistent) {
            std::abort();
        }
    } else if (!image.pixels.empty() || image.width != 0 || image.height != 0) {
        std::abort();
    }
    return 0;
}
