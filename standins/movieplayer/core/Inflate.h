// zlib streams of the movie format (compressed files and lossless bitmaps).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace movieplayer {

// Inflates exactly expected bytes into out; a stream that ends early or is broken gives false.
bool InflateExactly(const uint8_t* src, size_t srcSize, std::vector<uint8_t>& out, size_t expected);

}  // namespace movieplayer
