#pragma once

#include <cstddef>
#include <cstdint>

#include "image/decoded_image.h"

enum class ImageFileKind { Jpeg, Tga };

// Decodes a JPEG or TGA file by its content: data that starts with the JPEG start-of-
// image marker is read as JPEG, anything else as TGA, which has no signature of its own.
DecodeStatus DecodeImageFile(const uint8_t* data, std::size_t size, DecodedImage* image, ImageFileKind* kind);

// Makes every pixel equal to key (all 32 bits, alpha included) transparent black. A key
// of 0 means none. An image in which a pixel changed now carries alpha.
void ApplyColourKey(uint32_t key, DecodedImage* image);
