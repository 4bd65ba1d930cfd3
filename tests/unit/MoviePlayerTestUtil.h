// Helpers of the movie player's unit tests: shapes in pixel units, and drawing a movie into a
// buffer whose pixels the tests read back.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include <zlib.h>

#include "standins/movieplayer/core/Player.h"
#include "tools/moviemaker/SwfWriter.h"

namespace mptest {

using namespace movieplayer;
using namespace moviemaker;

inline FillStyle Solid(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255)
{
    FillStyle f;
    f.kind = FillStyle::Solid;
    f.color = Rgba{ r, g, b, a };
    return f;
}

// A closed polygon given in pixels, filled on its right-hand side with style fill.
inline ShapePath Polygon(const std::vector<std::pair<double, double>>& pts, uint32_t fill, uint32_t line = 0)
{
    ShapePath p;
    p.startX = pts[0].first * 20;
    p.startY = pts[0].second * 20;
    p.fill1 = fill;
    p.line = line;
    for (size_t i = 1; i <= pts.size(); ++i) {
        PathEdge e;
        e.x = pts[i % pts.size()].first * 20;
        e.y = pts[i % pts.size()].second * 20;
        p.edges.push_back(e);
    }
    return p;
}

inline ShapePath Box(double x0, double y0, double x1, double y1, uint32_t fill, uint32_t line = 0)
{
    return Polygon({ { x0, y0 }, { x1, y0 }, { x1, y1 }, { x0, y1 } }, fill, line);
}

inline Matrix Translate(double xPx, double yPx)
{
    Matrix m;
    m.tx = xPx * 20;
    m.ty = yPx * 20;
    return m;
}

// A BGRA picture filled with one colour to start with.
struct Picture {
    int width, height;
    std::vector<uint8_t> px;
    Picture(int w, int h, uint32_t bgra = 0) : width(w), height(h), px(size_t(w) * h * 4)
    {
        for (size_t i = 0; i < px.size(); i += 4) {
            px[i] = bgra & 0xFF;
            px[i + 1] = (bgra >> 8) & 0xFF;
            px[i + 2] = (bgra >> 16) & 0xFF;
            px[i + 3] = bgra >> 24;
        }
    }
    Canvas AsCanvas() { return Canvas{ px.data(), width, height, width * 4 }; }
    Rgba At(int x, int y) const
    {
        const uint8_t* p = &px[(size_t(y) * width + x) * 4];
        return Rgba{ p[2], p[1], p[0], p[3] };
    }
};

// Loads bytes and draws the first frame into a fresh picture the size of the viewport.
inline Picture Draw(Player& player, int w, int h, uint32_t startBgra = 0, const Rgba* bg = nullptr)
{
    Picture pic(w, h, startBgra);
    player.SetViewport(PixelRect{ 0, 0, w, h }, ScaleMode::ShowAll);
    Canvas c = pic.AsCanvas();
    player.Render(c, bg);
    return pic;
}

inline bool Near(Rgba a, Rgba b, int tol = 8)
{
    auto d = [](int x, int y) { return x > y ? x - y : y - x; };
    return d(a.r, b.r) <= tol && d(a.g, b.g) <= tol && d(a.b, b.b) <= tol;
}

// A PNG file of straight RGBA pixels, for bitmaps in descriptions.
inline void Be32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(static_cast<uint8_t>(v >> s));
}

inline void Chunk(std::vector<uint8_t>& out, const char* tag, const std::vector<uint8_t>& data)
{
    Be32(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(tag, tag + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    Be32(out, static_cast<uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

// An RGBA PNG whose rows use the given filter (1 = sub, others written as none).
inline std::vector<uint8_t> Png(int w, int h, const std::vector<uint8_t>& rgba, int filter = 0)
{
    std::vector<uint8_t> raw;
    for (int y = 0; y < h; ++y) {
        raw.push_back(static_cast<uint8_t>(filter));
        for (int i = 0; i < w * 4; ++i) {
            uint8_t v = rgba[size_t(y) * w * 4 + i];
            uint8_t left = i >= 4 ? rgba[size_t(y) * w * 4 + i - 4] : 0;
            raw.push_back(filter == 1 ? static_cast<uint8_t>(v - left) : v);
        }
    }
    uLongf n = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> z(n);
    compress(z.data(), &n, raw.data(), static_cast<uLong>(raw.size()));
    z.resize(n);
    std::vector<uint8_t> out{ 137, 'P', 'N', 'G', 13, 10, 26, 10 };
    std::vector<uint8_t> ihdr;
    Be32(ihdr, static_cast<uint32_t>(w));
    Be32(ihdr, static_cast<uint32_t>(h));
    ihdr.insert(ihdr.end(), { 8, 6, 0, 0, 0 });
    Chunk(out, "IHDR", ihdr);
    Chunk(out, "IDAT", z);
    Chunk(out, "IEND", {});
    return out;
}

}  // namespace mptest

// Lets gtest print colours (found by argument lookup in the colour's namespace).
namespace movieplayer {
inline std::ostream& operator<<(std::ostream& os, const Rgba& c)
{
    return os << "rgba(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << "," << int(c.a) << ")";
}
}  // namespace movieplayer
