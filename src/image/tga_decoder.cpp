// Truevision TGA decoding for the texture loader. The format has no signature, so the
// header is checked for plausibility first; every length is then checked against the
// remaining input before anything is read or allocated.
#include "image/decoded_image.h"

namespace {

constexpr std::size_t HeaderSize = 18;

enum TgaImageType : uint8_t {
    NoImage = 0,
    ColourMapped = 1,
    TrueColour = 2,
    Greyscale = 3,
    ColourMappedRle = 9,
    TrueColourRle = 10,
    GreyscaleRle = 11,
};

struct TgaHeader {
    uint8_t idLength;
    uint8_t colourMapType;
    uint8_t imageType;
    uint16_t colourMapLength;
    uint8_t colourMapEntryBits;
    uint16_t width;
    uint16_t height;
    uint8_t bitsPerPixel;
    uint8_t descriptor;
};

uint16_t Read16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

TgaHeader ParseHeader(const uint8_t* p) {
    TgaHeader h;
    h.idLength = p[0];
    h.colourMapType = p[1];
    h.imageType = p[2];
    h.colourMapLength = Read16(p + 5);
    h.colourMapEntryBits = p[7];
    h.width = Read16(p + 12);
    h.height = Read16(p + 14);
    h.bitsPerPixel = p[16];
    h.descriptor = p[17];
    return h;
}

bool IsKnownImageType(uint8_t type) {
    switch (type) {
        case NoImage:
        case ColourMapped:
        case TrueColour:
        case Greyscale:
        case ColourMappedRle:
        case TrueColourRle:
        case GreyscaleRle:
            return true;
        default:
            return false;
    }
}

DecodeStatus CheckHeader(const TgaHeader& h) {
    if (h.colourMapType > 1 || !IsKnownImageType(h.imageType)) {
        return DecodeStatus::NotThisFormat;
    }
    if (h.colourMapType == 1) {
        const uint8_t bits = h.colourMapEntryBits;
        if (bits != 15 && bits != 16 && bits != 24 && bits != 32) {
            return DecodeStatus::Corrupt;
        }
    }
    if (h.imageType != TrueColour && h.imageType != TrueColourRle) {
        return DecodeStatus::Unsupported;
    }
    if (h.bitsPerPixel != 24 && h.bitsPerPixel != 32) {
        return DecodeStatus::Unsupported;
    }
    // Bit 4 is a right-to-left origin, bits 6 and 7 an interleaved row order.
    if ((h.descriptor & 0xD0) != 0) {
        return DecodeStatus::Unsupported;
    }
    if (h.width == 0 || h.height == 0) {
        return DecodeStatus::Corrupt;
    }
    if (h.width > MaxDecodedDimension || h.height > MaxDecodedDimension) {
        return DecodeStatus::TooLarge;
    }
    return DecodeStatus::Ok;
}

// Reads pixels in file order and stores them in top-row-first order.
class PixelSink {
public:
    PixelSink(DecodedImage* image, uint32_t bytesPerPixel, bool topOrigin)
        : image_(image), bytesPerPixel_(bytesPerPixel), topOrigin_(topOrigin) {}

    std::size_t remaining() const { return image_->pixels.size() - written_; }

    void Put(const uint8_t* p) {
        const uint32_t alpha = bytesPerPixel_ == 4 ? p[3] : 0xFFu;
        const uint32_t argb = (alpha << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
        const std::size_t fileRow = written_ / image_->width;
        const std::size_t column = written_ % image_->width;
        const std::size_t row = topOrigin_ ? fileRow : image_->height - 1 - fileRow;
        image_->pixels[row * image_->width + column] = argb;
        ++written_;
    }

private:
    DecodedImage* image_;
    uint32_t bytesPerPixel_;
    bool topOrigin_;
    std::size_t written_ = 0;
};

DecodeStatus DecodeUncompressed(const uint8_t* data, std::size_t size, PixelSink* sink,
                                uint32_t bytesPerPixel) {
    const std::size_t count = sink->remaining();
    if (size / bytesPerPixel < count) {
        return DecodeStatus::Truncated;
    }
    for (std::size_t i = 0; i < count; ++i) {
        sink->Put(data + i * bytesPerPixel);
    }
    return DecodeStatus::Ok;
}

DecodeStatus DecodeRunLength(const uint8_t* data, std::size_t size, PixelSink* sink, uint32_t bytesPerPixel) {
    std::size_t pos = 0;
    while (sink->remaining() > 0) {
        if (pos >= size) {
            return DecodeStatus::Truncated;
        }
        const uint8_t packet = data[pos++];
        const std::size_t count = (packet & 0x7Fu) + 1u;
        if (count > sink->remaining()) {
            return DecodeStatus::Corrupt;
        }
        const bool isRun = (packet & 0x80u) != 0;
        const std::size_t bytes = isRun ? bytesPerPixel : count * bytesPerPixel;
        if (size - pos < bytes) {
            return DecodeStatus::Truncated;
        }
        for (std::size_t i = 0; i < count; ++i) {
            sink->Put(data + pos + (isRun ? 0 : i * bytesPerPixel));
        }
        pos += bytes;
    }
    return DecodeStatus::Ok;
}

// The shortest possible encoding of the image: one full packet per 128 pixels. Checked
// before allocating so that a tiny file cannot demand a huge buffer.
bool CanHoldImage(std::size_t available, std::size_t pixels, uint32_t bytesPerPixel, bool runLength) {
    if (!runLength) {
        return available / bytesPerPixel >= pixels;
    }
    const std::size_t packets = (pixels + 127) / 128;
    return available / (bytesPerPixel + 1) >= packets;
}

DecodeStatus Decode(const uint8_t* data, std::size_t size, DecodedImage* image) {
    if (data == nullptr || size == 0) {
        return DecodeStatus::NotThisFormat;
    }
    if (size < HeaderSize) {
        return DecodeStatus::Truncated;
    }
    const TgaHeader header = ParseHeader(data);
    const DecodeStatus headerStatus = CheckHeader(header);
    if (headerStatus != DecodeStatus::Ok) {
        return headerStatus;
    }
    std::size_t offset = HeaderSize + header.idLength;
    if (header.colourMapType == 1) {
        offset += std::size_t{header.colourMapLength} * ((header.colourMapEntryBits + 7u) / 8u);
    }
    if (offset > size) {
        return DecodeStatus::Truncated;
    }
    const uint32_t bytesPerPixel = header.bitsPerPixel / 8u;
    const bool runLength = header.imageType == TrueColourRle;
    const std::size_t pixelCount = std::size_t{header.width} * header.height;
    if (!CanHoldImage(size - offset, pixelCount, bytesPerPixel, runLength)) {
        return DecodeStatus::Truncated;
    }

    image->width = header.width;
    image->height = header.height;
    image->hasAlpha = bytesPerPixel == 4;
    image->pixels.assign(pixelCount, 0);
    const bool topOrigin = (header.descriptor & 0x20) != 0;
    PixelSink sink(image, bytesPerPixel, topOrigin);
    return runLength ? DecodeRunLength(data + offset, size - offset, &sink, bytesPerPixel)
                     : DecodeUncompressed(data + offset, size - offset, &sink, bytesPerPixel);
}

}  // namespace

DecodeStatus DecodeTga(const uint8_t* data, std::size_t size, DecodedImage* image) {
    if (image == nullptr) {
        return DecodeStatus::Corrupt;
    }
    *image = DecodedImage();
    const DecodeStatus status = Decode(data, size, image);
    if (status != DecodeStatus::Ok) {
        *image = DecodedImage();
    }
    return status;
}
