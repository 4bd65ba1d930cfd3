// Decoder of lossless bitmaps: colour-mapped, 15-bit and 32-bit pixels behind zlib.
#include "Bitmap.h"

#include "Inflate.h"

namespace movieplayer {
namespace {

uint8_t Premul(uint8_t c, uint8_t a) { return static_cast<uint8_t>((c * a + 127) / 255); }

}  // namespace

bool DecodeLosslessBitmap(BitReader& in, bool withAlpha, BitmapDef& out)
{
    unsigned format = in.U8();
    int w = in.U16();
    int h = in.U16();
    unsigned tableSize = format == 3 ? in.U8() + 1u : 0u;
    if (!in.Ok() || w <= 0 || h <= 0 || w > kMaxBitmapSide || h > kMaxBitmapSide ||
        int64_t(w) * h > kMaxBitmapPixels)
        return false;
    size_t rowBytes;
    size_t tableBytes = 0;
    if (format == 3) {
        rowBytes = (size_t(w) + 3) & ~size_t(3);
        tableBytes = tableSize * (withAlpha ? 4 : 3);
    } else if (format == 4 && !withAlpha) {
        rowBytes = (size_t(w) * 2 + 3) & ~size_t(3);
    } else if (format == 5) {
        rowBytes = size_t(w) * 4;
    } else {
        return false;
    }
    std::vector<uint8_t> raw;
    if (!InflateExactly(in.Here(), in.Remaining(), raw, tableBytes + rowBytes * h))
        return false;

    out.width = w;
    out.height = h;
    out.bgra.assign(size_t(w) * h * 4, 0);
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = raw.data() + tableBytes + rowBytes * y;
        uint8_t* dst = out.bgra.data() + size_t(y) * w * 4;
        for (int x = 0; x < w; ++x, dst += 4) {
            uint8_t r, g, b, a = 255;
            if (format == 3) {
                unsigned idx = row[x];
                if (idx >= tableSize) {
                    r = g = b = 0;  // outside the table: transparent black
                    a = 0;
                } else {
                    const uint8_t* e = raw.data() + idx * (withAlpha ? 4 : 3);
                    r = e[0], g = e[1], b = e[2];
                    if (withAlpha) {
                        a = e[3];
                        r = Premul(r, a), g = Premul(g, a), b = Premul(b, a);
                    }
                }
            } else if (format == 4) {
                unsigned p = (row[x * 2] << 8) | row[x * 2 + 1];
                r = static_cast<uint8_t>(((p >> 10) & 31) * 255 / 31);
                g = static_cast<uint8_t>(((p >> 5) & 31) * 255 / 31);
                b = static_cast<uint8_t>((p & 31) * 255 / 31);
            } else {
                const uint8_t* p = row + x * 4;
                a = withAlpha ? p[0] : 255;
                r = p[1], g = p[2], b = p[3];
                // Stored premultiplied; a colour brighter than its alpha is clamped.
                if (r > a) r = a;
                if (g > a) g = a;
                if (b > a) b = a;
            }
            dst[0] = b, dst[1] = g, dst[2] = r, dst[3] = a;
        }
    }
    return true;
}

}  // namespace movieplayer
