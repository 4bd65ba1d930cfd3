// The pixel work of a layered frame: buffer size limits, and per-pixel alpha from two renderings of the same frame, one over black and one over white.
// A pixel the frame covers fully looks the same over both; one it leaves empty differs by 255
// in every channel. The colour bytes over black are already multiplied by the coverage, which
// is the premultiplied form a layered window's per-pixel alpha expects.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavik {

// Whether two render buffers of width x height 32-bit pixels are worth asking for. Beyond
// 16384 pixels a side or 2^26 pixels (256 MB a buffer) no screen can show the frame, and
// clearing and drawing it twice a frame would stall the program: such frames are skipped.
bool FrameBuffersAllowed(int width, int height);

// black and white hold pixelCount pixels of 4 bytes (blue, green, red, alpha). For each pixel,
// D = sum over blue, green, red of (white - black) mod 256, and the alpha byte of black becomes
// 255 - floor(D / 3). Nothing else is written.
void ReconstructAlpha(uint8_t* black, const uint8_t* white, size_t pixelCount);

}  // namespace tavik
