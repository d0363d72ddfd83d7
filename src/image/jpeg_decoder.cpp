#include <climits>
#include <csetjmp>
#include <cstdio>  // jpeglib.h uses FILE and size_t without including their headers
#include <new>

#include <jpeglib.h>
// After jpeglib.h: which message codes exist depends on its configuration.
#include <jerror.h>

#include "image/decoded_image.h"
#include "util/byte_order.h"

namespace {

// libjpeg's working memory beyond the output pixels (coefficient buffers of progressive
// images). Enough for any texture this program uses, small enough that a forged header
// cannot make the decoder claim gigabytes.
constexpr long MaxLibraryMemory = 256L * 1024 * 1024;

// A progressive file may repeat scans without end; genuine files have a few dozen.
constexpr int MaxProgressiveScans = 500;

// libjpeg reports errors through error_exit, which must not return. Ours jumps back to
// DecodeJpeg, which destroys the decompressor and reports a status.
struct ErrorManager {
    jpeg_error_mgr library;  // first, so libjpeg's pointer to it is a pointer to us
    std::jmp_buf jump;
    DecodeStatus status = DecodeStatus::Corrupt;
    bool outOfMemory = false;
};

ErrorManager& ErrorsOf(j_common_ptr info) {
    return *reinterpret_cast<ErrorManager*>(info->err);
}

[[noreturn]] void Abandon(j_common_ptr info, DecodeStatus status) {
    ErrorManager& errors = ErrorsOf(info);
    errors.status = status;
    std::longjmp(errors.jump, 1);
}

DecodeStatus StatusForError(int code) {
    switch (code) {
        case JERR_NO_SOI:
            return DecodeStatus::NotThisFormat;
        case JERR_INPUT_EMPTY:
        case JERR_INPUT_EOF:
            return DecodeStatus::Truncated;
        case JERR_ARITH_NOTIMPL:
        case JERR_CCIR601_NOTIMPL:
        case JERR_CONVERSION_NOTIMPL:
        case JERR_FRACT_SAMPLE_NOTIMPL:
        case JERR_NOTIMPL:
        case JERR_NOT_COMPILED:
            return DecodeStatus::Unsupported;
        case JERR_NO_BACKING_STORE:
        case JERR_IMAGE_TOO_BIG:
        case JERR_WIDTH_OVERFLOW:
            return DecodeStatus::TooLarge;
        default:
            return DecodeStatus::Corrupt;
    }
}

[[noreturn]] void OnError(j_common_ptr info) {
    const int code = info->err->msg_code;
    if (code == JERR_OUT_OF_MEMORY) {
        ErrorsOf(info).outOfMemory = true;
    }
    Abandon(info, StatusForError(code));
}

// Warnings that mean the image data itself is damaged: decoding on would show garbage or
// grey blocks, so the image is refused. Other warnings (an unknown JFIF revision, stray
// bytes between markers) leave the pixels intact.
void OnMessage(j_common_ptr info, int level) {
    if (level >= 0) {
        return;  // advisory and trace messages
    }
    switch (info->err->msg_code) {
        case JWRN_JPEG_EOF:
            Abandon(info, DecodeStatus::Truncated);
        case JWRN_ARITH_BAD_CODE:
        case JWRN_BOGUS_PROGRESSION:
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_MUST_RESYNC:
        case JWRN_NOT_SEQUENTIAL:
            Abandon(info, DecodeStatus::Corrupt);
        default:
            break;
    }
}

void OnOutput(j_common_ptr) {}  // library code prints nothing

void OnProgress(j_common_ptr info) {
    const auto* decompressor = reinterpret_cast<j_decompress_ptr>(info);
    if (decompressor->input_scan_number > MaxProgressiveScans) {
        Abandon(info, DecodeStatus::Corrupt);
    }
}

// Owns a decompressor from creation to destruction, whatever way decoding ends.
class Decompressor {
public:
    Decompressor() {
        info_.err = jpeg_std_error(&errors_.library);
        errors_.library.error_exit = OnError;
        errors_.library.emit_message = OnMessage;
        errors_.library.output_message = OnOutput;
        progress_.progress_monitor = OnProgress;
    }
    ~Decompressor() {
        if (created_) {
            jpeg_destroy_decompress(&info_);
        }
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    DecodeStatus Decode(const uint8_t* data, std::size_t size, DecodedImage* image);
    bool OutOfMemory() const { return errors_.outOfMemory; }

private:
    DecodeStatus Start(const uint8_t* data, std::size_t size);
    void ReadRows(DecodedImage* image);

    jpeg_decompress_struct info_ = {};
    ErrorManager errors_;
    jpeg_progress_mgr progress_ = {};
    bool created_ = false;
};

// Every libjpeg call happens between setjmp and a possible longjmp here. The frames that
// a jump skips hold no objects with destructors: the pixels live in *image, owned by the
// caller.
DecodeStatus Decompressor::Decode(const uint8_t* data, std::size_t size, DecodedImage* image) {
    if (setjmp(errors_.jump) != 0) {
        return errors_.status;
    }
    jpeg_create_decompress(&info_);
    created_ = true;
    const DecodeStatus started = Start(data, size);
    if (started != DecodeStatus::Ok) {
        return started;
    }
    ReadRows(image);
    return DecodeStatus::Ok;
}

// libjpeg-turbo writes each pixel straight in the layout of DecodedImage's pixels: a
// uint32_t 0xFFRRGGBB is B, G, R, 0xFF in memory on a little-endian machine and 0xFF, R,
// G, B on a big-endian one; the library fills the X byte with 0xFF.
J_COLOR_SPACE OpaquePixelLayout() {
    return LittleEndian() ? JCS_EXT_BGRX : JCS_EXT_XRGB;
}

DecodeStatus Decompressor::Start(const uint8_t* data, std::size_t size) {
    info_.mem->max_memory_to_use = MaxLibraryMemory;
    info_.progress = &progress_;
    jpeg_mem_src(&info_, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info_, TRUE);
    if (info_.image_width > MaxDecodedDimension || info_.image_height > MaxDecodedDimension) {
        return DecodeStatus::TooLarge;
    }
    switch (info_.jpeg_color_space) {
        case JCS_GRAYSCALE:
        case JCS_YCbCr:
        case JCS_RGB:
            info_.out_color_space = OpaquePixelLayout();
            break;
        default:
            return DecodeStatus::Unsupported;  // CMYK and unknown colour spaces
    }
    jpeg_start_decompress(&info_);
    if (info_.output_components != 4) {
        return DecodeStatus::Unsupported;
    }
    return DecodeStatus::Ok;
}

// Each row is decoded straight into the pixels, with no copy between.
void Decompressor::ReadRows(DecodedImage* image) {
    const uint32_t width = info_.output_width;
    const uint32_t height = info_.output_height;
    // Reserved, and grown a row at a time: the pages of an image that turns out to be
    // truncated early are never touched.
    image->pixels.reserve(std::size_t{width} * height);
    while (info_.output_scanline < height) {
        const std::size_t rowStart = image->pixels.size();
        image->pixels.resize(rowStart + width);
        JSAMPROW row = reinterpret_cast<JSAMPROW>(image->pixels.data() + rowStart);
        if (jpeg_read_scanlines(&info_, &row, 1) != 1) {
            Abandon(reinterpret_cast<j_common_ptr>(&info_), DecodeStatus::Truncated);
        }
    }
    image->width = width;
    image->height = height;
    image->hasAlpha = false;
}

bool StartsLikeJpeg(const uint8_t* data, std::size_t size) {
    return size >= 2 && data[0] == 0xFF && data[1] == 0xD8;
}

}  // namespace

DecodeStatus DecodeJpeg(const uint8_t* data, std::size_t size, DecodedImage* image) {
    if (image == nullptr) {
        return DecodeStatus::NotThisFormat;
    }
    *image = DecodedImage{};
    if (data == nullptr || !StartsLikeJpeg(data, size)) {
        const bool startOfMarker = data != nullptr && size == 1 && data[0] == 0xFF;
        return startOfMarker ? DecodeStatus::Truncated : DecodeStatus::NotThisFormat;
    }
    if constexpr (sizeof(std::size_t) > sizeof(unsigned long)) {
        if (size > ULONG_MAX) {
            return DecodeStatus::TooLarge;  // more than libjpeg's memory source can address
        }
    }
    DecodeStatus status;
    bool outOfMemory;
    {
        Decompressor decompressor;
        status = decompressor.Decode(data, size, image);
        outOfMemory = decompressor.OutOfMemory();
    }
    if (status != DecodeStatus::Ok) {
        *image = DecodedImage{};
    }
    if (outOfMemory) {
        throw std::bad_alloc();
    }
    return status;
}
