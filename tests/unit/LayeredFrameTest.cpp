// Layered frames: buffer size limits, and alpha from the black and white renderings.
#include <gtest/gtest.h>

#include <vector>

#include "flashhost/LayeredFrame.h"

TEST(ReconstructAlpha, WorkedExamples)
{
    struct Case {
        uint8_t black[3], white[3];  // blue, green, red
        uint8_t alpha;
    };
    const Case cases[] = {
        { { 0, 0, 255 }, { 0, 0, 255 }, 255 },        // opaque red
        { { 0, 0, 0 }, { 255, 255, 255 }, 0 },        // left empty
        { { 128, 128, 128 }, { 255, 255, 255 }, 128 },  // white at half coverage: D = 381
        { { 10, 20, 30 }, { 10, 20, 30 }, 255 },
        { { 1, 0, 0 }, { 0, 0, 0 }, 0 },              // white below black wraps: 255 + 0 + 0 -> 255 - 85
        { { 200, 200, 200 }, { 100, 100, 100 }, 255 - (156 * 3) / 3 },
        { { 0, 0, 0 }, { 3, 0, 0 }, 254 },            // D = 3
        { { 0, 0, 0 }, { 2, 0, 0 }, 255 },            // D = 2 rounds down
    };
    std::vector<uint8_t> black, white;
    for (const Case& c : cases) {
        black.insert(black.end(), { c.black[0], c.black[1], c.black[2], 0x5A });
        white.insert(white.end(), { c.white[0], c.white[1], c.white[2], 0xA5 });
    }
    std::vector<uint8_t> whiteBefore = white;
    tavik::ReconstructAlpha(black.data(), white.data(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        uint8_t expected = c.alpha;
        if (i == 4)
            expected = 255 - 85;
        EXPECT_EQ(black[i * 4 + 3], expected) << "case " << i;
        // Colour bytes over black stay as drawn; the white buffer is not written.
        EXPECT_EQ(black[i * 4 + 0], c.black[0]);
        EXPECT_EQ(black[i * 4 + 2], c.black[2]);
    }
    EXPECT_EQ(white, whiteBefore);
}

TEST(ReconstructAlpha, EveryDifferenceSumMatchesFloorDivision)
{
    // All 766 possible sums, to pin the division.
    std::vector<uint8_t> black(766 * 4, 0), white(766 * 4, 0);
    for (int d = 0; d <= 765; ++d) {
        int left = d;
        for (int ch = 0; ch < 3; ++ch) {
            int part = left > 255 ? 255 : left;
            white[static_cast<size_t>(d) * 4 + static_cast<size_t>(ch)] = static_cast<uint8_t>(part);
            left -= part;
        }
    }
    tavik::ReconstructAlpha(black.data(), white.data(), 766);
    for (int d = 0; d <= 765; ++d)
        ASSERT_EQ(black[static_cast<size_t>(d) * 4 + 3], 255 - d / 3) << "D = " << d;
}

TEST(ReconstructAlpha, NoPixelsWritesNothing)
{
    uint8_t black[4] = { 1, 2, 3, 4 }, white[4] = { 9, 9, 9, 9 };
    tavik::ReconstructAlpha(black, white, 0);
    EXPECT_EQ(black[3], 4);
}

TEST(FrameBuffersAllowed, SizesAScreenCanShow)
{
    struct Case { int w, h; bool ok; };
    const Case cases[] = {
        { 1000, 695, true }, { 1, 1, true }, { 3840, 2160, true }, { 16384, 4096, true },
        { 0, 695, false }, { 1000, 0, false }, { -5, 10, false }, { 16385, 10, false },
        { 100000, 100000, false }, { 32767, 32767, false }, { 16384, 16384, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(tavik::FrameBuffersAllowed(c.w, c.h), c.ok) << c.w << "x" << c.h;
}
