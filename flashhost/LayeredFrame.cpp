// Layered frames: size limits and alpha reconstruction; this runs for every pixel of every movie frame.
#include "flashhost/LayeredFrame.h"

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#endif

namespace tavik {

bool FrameBuffersAllowed(int width, int height)
{
    constexpr long long kMaxSide = 16384;
    constexpr long long kMaxPixels = 1LL << 26;
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           static_cast<long long>(width) * height <= kMaxPixels;
}

namespace {

// One pixel: the sum of the three wrapped channel differences, floor(D / 3) as (D * 0xAAAB) >> 17,
// which is exact for D below 2^16.
inline void ReconstructPixel(uint8_t* b, const uint8_t* w)
{
    uint32_t d = static_cast<uint32_t>(static_cast<uint8_t>(w[0] - b[0])) + static_cast<uint8_t>(w[1] - b[1]) +
                 static_cast<uint8_t>(w[2] - b[2]);
    b[3] = static_cast<uint8_t>(255 - ((d * 0xAAABu) >> 17));
}

}  // namespace

void ReconstructAlpha(uint8_t* black, const uint8_t* white, size_t pixelCount)
{
    size_t i = 0;
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
    // Four pixels at a time. Byte subtraction wraps like the single-pixel form; the colour bytes
    // are summed within each pixel's 32 bits, divided by the same multiply, and the alpha byte
    // replaced.
    const __m128i colourMask = _mm_set1_epi32(0x00FFFFFF);
    const __m128i evenBytes = _mm_set1_epi32(0x00FF00FF);
    const __m128i ones = _mm_set1_epi16(1);
    const __m128i divide = _mm_set1_epi32(0x0000AAAB);
    const __m128i full = _mm_set1_epi32(255);
    auto fourPixels = [&](uint8_t* pb, const uint8_t* pw) {
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pb));
        __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pw));
        __m128i diff = _mm_and_si128(_mm_sub_epi8(w, b), colourMask);
        // blue + green and red + 0 as 16-bit pairs, then each pair summed into its pixel
        __m128i pairs = _mm_add_epi16(_mm_and_si128(diff, evenBytes), _mm_srli_epi16(diff, 8));
        __m128i sum = _mm_madd_epi16(pairs, ones);
        __m128i third = _mm_srli_epi32(_mm_mulhi_epu16(sum, divide), 1);
        __m128i alpha = _mm_slli_epi32(_mm_sub_epi32(full, third), 24);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pb), _mm_or_si128(_mm_and_si128(b, colourMask), alpha));
    };
    for (; i + 8 <= pixelCount; i += 8) {
        fourPixels(black + i * 4, white + i * 4);
        fourPixels(black + i * 4 + 16, white + i * 4 + 16);
    }
    for (; i + 4 <= pixelCount; i += 4)
        fourPixels(black + i * 4, white + i * 4);
#endif
    for (; i < pixelCount; ++i)
        ReconstructPixel(black + i * 4, white + i * 4);
}

}  // namespace tavik
