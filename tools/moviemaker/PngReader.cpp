// PNG decoding: chunks, zlib, scanline filters, the supported colour types.
#include "PngReader.h"

#include <cstdlib>
#include <cstring>

#include <zlib.h>

namespace moviemaker {
namespace {

uint32_t Be32(const uint8_t* p) { return (uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }

uint8_t Paeth(int a, int b, int c)
{
    int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return static_cast<uint8_t>(pa <= pb && pa <= pc ? a : (pb <= pc ? b : c));
}

}  // namespace

bool ReadPng(const std::vector<uint8_t>& file, Image& out, std::string& error)
{
    static const uint8_t kSignature[8] = { 137, 'P', 'N', 'G', 13, 10, 26, 10 };
    if (file.size() < 8 || std::memcmp(file.data(), kSignature, 8) != 0) {
        error = "not a PNG file";
        return false;
    }
    int width = 0, height = 0, depth = 0, type = -1, interlace = 0;
    std::vector<uint8_t> idat, palette, trns;
    size_t pos = 8;
    bool ended = false;
    while (!ended) {
        if (file.size() - pos < 12) {
            error = "PNG ends early";
            return false;
        }
        uint32_t length = Be32(&file[pos]);
        if (length > file.size() - pos - 12) {
            error = "PNG chunk longer than the file";
            return false;
        }
        const uint8_t* tag = &file[pos + 4];
        const uint8_t* data = &file[pos + 8];
        if (std::memcmp(tag, "IHDR", 4) == 0 && length >= 13) {
            width = static_cast<int>(Be32(data));
            height = static_cast<int>(Be32(data + 4));
            depth = data[8];
            type = data[9];
            interlace = data[12];
        } else if (std::memcmp(tag, "PLTE", 4) == 0) {
            palette.assign(data, data + length);
        } else if (std::memcmp(tag, "tRNS", 4) == 0) {
            trns.assign(data, data + length);
        } else if (std::memcmp(tag, "IDAT", 4) == 0) {
            idat.insert(idat.end(), data, data + length);
        } else if (std::memcmp(tag, "IEND", 4) == 0) {
            ended = true;
        }
        pos += 12 + length;
    }
    int channels = type == 0 ? 1 : type == 2 ? 3 : type == 3 ? 1 : type == 4 ? 2 : type == 6 ? 4 : 0;
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192 || depth != 8 || channels == 0 || interlace != 0) {
        error = "unsupported PNG: only 8-bit, not interlaced, up to 8192 pixels a side";
        return false;
    }
    const size_t rowBytes = size_t(width) * channels;
    std::vector<uint8_t> raw((rowBytes + 1) * height);
    uLongf rawSize = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &rawSize, idat.data(), static_cast<uLong>(idat.size())) != Z_OK ||
        rawSize != raw.size()) {
        error = "PNG image data is damaged";
        return false;
    }
    std::vector<uint8_t> prev(rowBytes, 0), cur(rowBytes);
    out.width = width;
    out.height = height;
    out.rgba.assign(size_t(width) * height * 4, 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = &raw[(rowBytes + 1) * y];
        int filter = src[0];
        for (size_t i = 0; i < rowBytes; ++i) {
            int a = i >= size_t(channels) ? cur[i - channels] : 0;
            int b = prev[i];
            int c = i >= size_t(channels) ? prev[i - channels] : 0;
            int x = src[1 + i];
            switch (filter) {
            case 0: break;
            case 1: x += a; break;
            case 2: x += b; break;
            case 3: x += (a + b) / 2; break;
            case 4: x += Paeth(a, b, c); break;
            default: error = "PNG row filter unknown"; return false;
            }
            cur[i] = static_cast<uint8_t>(x);
        }
        for (int x = 0; x < width; ++x) {
            uint8_t* d = &out.rgba[(size_t(y) * width + x) * 4];
            const uint8_t* s = &cur[size_t(x) * channels];
            switch (type) {
            case 0: d[0] = d[1] = d[2] = s[0]; d[3] = 255; break;
            case 4: d[0] = d[1] = d[2] = s[0]; d[3] = s[1]; break;
            case 2: d[0] = s[0]; d[1] = s[1]; d[2] = s[2]; d[3] = 255; break;
            case 6: std::memcpy(d, s, 4); break;
            case 3:
                if (size_t(s[0]) * 3 + 2 >= palette.size()) {
                    error = "PNG palette index out of range";
                    return false;
                }
                d[0] = palette[s[0] * 3], d[1] = palette[s[0] * 3 + 1], d[2] = palette[s[0] * 3 + 2];
                d[3] = s[0] < trns.size() ? trns[s[0]] : 255;
                break;
            }
        }
        std::swap(prev, cur);
    }
    return true;
}

}  // namespace moviemaker
