// Anti-aliased scanline rasteriser: turns line segments in pixel coordinates into per-pixel
// coverage, row by row, with the even-odd or non-zero rule. Coverage is exact across a row and
// sampled at kSubRows heights within it.
#pragma once

#include <functional>
#include <vector>

namespace movieplayer {

enum class FillRule { EvenOdd, NonZero };

// Pixel rectangle [left, right) x [top, bottom).
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
};

class Rasterizer {
public:
    static constexpr int kSubRows = 4;
    // (row, first pixel, one past last pixel, coverage of those pixels, each 0..1)
    using SpanFn = std::function<void(int, int, int, const float*)>;

    void Reset() { m_edges.clear(); }
    bool Empty() const { return m_edges.empty(); }
    void AddLine(double x0, double y0, double x1, double y1);
    // Adds a quadratic curve as line segments close enough for drawing.
    void AddQuad(double x0, double y0, double cx, double cy, double x1, double y1);
    void Render(const PixelRect& clip, FillRule rule, const SpanFn& span);

    // Segments for a curve of this second-difference size: enough for a tenth of a pixel, at most 64.
    static int CurveSteps(double secondDifference);

private:
    struct Edge {
        double x0, y0, x1, y1;  // y0 < y1
        int dir;
    };
    std::vector<Edge> m_edges;
    std::vector<float> m_delta;
    std::vector<float> m_cover;
    std::vector<int> m_touched;  // cells of m_delta written in the current row
    std::vector<std::pair<double, int>> m_cross;
};

}  // namespace movieplayer
