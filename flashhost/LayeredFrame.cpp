// Layered frames: size limits and alpha reconstruction; this runs for every pixel of every movie frame.
#include "flashhost/LayeredFrame.h"

namespace tavik {

bool FrameBuffersAllowed(int width, int height)
{
    constexpr long long kMaxSide = 16384;
    constexpr long long kMaxPixels = 1LL << 26;
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           static_cast<long long>(width) * height <= kMaxPixels;
}

void ReconstructAlpha(uint8_t* black, const uint8_t* white, size_t pixelCount)
{
    // Written so the compiler can vectorise it: byte differences wrap as unsigned bytes, and
    // floor(D / 3) for D <= 765 is (D * 0xAAAB) >> 17, exact below 2^16.
    for (size_t i = 0; i < pixelCount; ++i) {
        uint8_t* b = black + i * 4;
        const uint8_t* w = white + i * 4;
        uint32_t d = static_cast<uint8_t>(w[0] - b[0]) + static_cast<uint32_t>(static_cast<uint8_t>(w[1] - b[1])) +
                     static_cast<uint8_t>(w[2] - b[2]);
        b[3] = static_cast<uint8_t>(255 - ((d * 0xAAABu) >> 17));
    }
}

}  // namespace tavik
