// Bitmaps of DefineBitsLossless and DefineBitsLossless2, kept premultiplied in the drawing
// buffer's byte order (blue, green, red, alpha), so opaque texels copy straight across.
#pragma once

#include <cstdint>
#include <vector>

#include "BitReader.h"

namespace movieplayer {

struct BitmapDef {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgra;  // premultiplied, row after row, 4 bytes a pixel
};

// Largest bitmap side accepted, and largest pixel count; bigger ones are refused, not allocated.
constexpr int kMaxBitmapSide = 8192;
constexpr int64_t kMaxBitmapPixels = 16 * 1024 * 1024;

// Decodes the body of the tag after its id; withAlpha for DefineBitsLossless2.
bool DecodeLosslessBitmap(BitReader& in, bool withAlpha, BitmapDef& out);

}  // namespace movieplayer
