// Shape drawing: regions by fill style, strokes as unions of segment quads and round ends.
#include "ShapeRenderer.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace movieplayer {
namespace {

struct Pt {
    double x, y;
};

// Segment points of an edge in pixels, without its first point.
void Flatten(const ShapeEdge& e, const Matrix& m, std::vector<Pt>& out)
{
    Pt p1;
    m.Apply(e.x1, e.y1, p1.x, p1.y);
    if (!e.curved) {
        out.push_back(p1);
        return;
    }
    Pt p0, c;
    m.Apply(e.x0, e.y0, p0.x, p0.y);
    m.Apply(e.cx, e.cy, c.x, c.y);
    double ddx = p0.x - 2 * c.x + p1.x, ddy = p0.y - 2 * c.y + p1.y;
    int n = Rasterizer::CurveSteps(std::sqrt(ddx * ddx + ddy * ddy));
    for (int i = 1; i <= n; ++i) {
        double t = double(i) / n, u = 1 - t;
        out.push_back(Pt{ u * u * p0.x + 2 * u * t * c.x + t * t * p1.x,
                          u * u * p0.y + 2 * u * t * c.y + t * t * p1.y });
    }
}

// A closed polygon of the round end around p, turning the same way as the segment quads.
void AddDisc(Rasterizer& r, Pt p, double radius)
{
    double steps = std::ceil(radius * 2);
    int n = steps >= 64 ? 64 : (steps >= 8 ? static_cast<int>(steps) : 8);
    double px = p.x + radius, py = p.y;
    for (int i = 1; i <= n; ++i) {
        double t = -2 * 3.14159265358979 * i / n;
        double x = p.x + radius * std::cos(t), y = p.y + radius * std::sin(t);
        r.AddLine(px, py, x, y);
        px = x, py = y;
    }
}

void AddSegmentQuad(Rasterizer& r, Pt a, Pt b, double half)
{
    double dx = b.x - a.x, dy = b.y - a.y;
    double len = std::sqrt(dx * dx + dy * dy);
    if (len <= 0)
        return;
    double nx = -dy / len * half, ny = dx / len * half;
    Pt q[4] = { { a.x + nx, a.y + ny }, { b.x + nx, b.y + ny },
                { b.x - nx, b.y - ny }, { a.x - nx, a.y - ny } };
    for (int i = 0; i < 4; ++i)
        r.AddLine(q[i].x, q[i].y, q[(i + 1) % 4].x, q[(i + 1) % 4].y);
}

void DrawStroke(const StyleGroup& group, uint32_t lineIndex, const Matrix& m,
                const ColorTransform& cx, Canvas& canvas, const PixelRect& clip, Rasterizer& raster)
{
    const LineStyle& style = group.lines[lineIndex - 1];
    Paint paint = Paint::ForColor(style.color, cx);
    if (paint.kind == Paint::None)
        return;
    // Strokes scale with the mean scale of the matrix; anything thinner than a pixel is a hairline.
    double scale = std::sqrt(std::fabs(m.a * m.d - m.b * m.c));
    double half = std::max(1.0, style.width * scale) / 2;
    raster.Reset();
    std::vector<Pt> pts;
    bool open = false;
    double endX = 0, endY = 0;
    auto flush = [&]() {
        for (size_t i = 0; i + 1 < pts.size(); ++i)
            AddSegmentQuad(raster, pts[i], pts[i + 1], half);
        for (const Pt& p : pts)
            AddDisc(raster, p, half);
        pts.clear();
    };
    for (const ShapeEdge& e : group.edges) {
        if (e.line != lineIndex)
            continue;
        if (!open || e.x0 != endX || e.y0 != endY) {
            flush();
            Pt p0;
            m.Apply(e.x0, e.y0, p0.x, p0.y);
            pts.push_back(p0);
        }
        Flatten(e, m, pts);
        open = true;
        endX = e.x1, endY = e.y1;
    }
    flush();
    raster.Render(clip, FillRule::NonZero, [&](int y, int x0, int x1, const float* cov) {
        PaintSpan(paint, canvas, y, x0, x1, cov);
    });
}

}  // namespace

void DrawShape(const ShapeDef& shape, const Movie& movie, const Matrix& m,
               const ColorTransform& cx, Canvas& canvas, const PixelRect& clip, Rasterizer& raster)
{
    std::vector<Pt> pts;
    for (const StyleGroup& group : shape.groups) {
        for (uint32_t f = 1; f <= group.fills.size(); ++f) {
            raster.Reset();
            for (const ShapeEdge& e : group.edges) {
                // An edge with the style on both sides goes in twice and cancels out.
                int times = (e.fill0 == f) + (e.fill1 == f);
                for (int k = 0; k < times; ++k) {
                    pts.clear();
                    Pt p0;
                    m.Apply(e.x0, e.y0, p0.x, p0.y);
                    pts.push_back(p0);
                    Flatten(e, m, pts);
                    for (size_t i = 0; i + 1 < pts.size(); ++i)
                        raster.AddLine(pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y);
                }
            }
            if (raster.Empty())
                continue;
            const FillStyle& fill = group.fills[f - 1];
            const BitmapDef* bitmap = nullptr;
            if (fill.kind == FillStyle::Bitmap) {
                const Character* c = movie.Find(fill.bitmapId);
                if (c != nullptr && c->kind == Character::Bitmap)
                    bitmap = c->bitmap.get();
            }
            Paint paint = Paint::ForFill(fill, m, cx, bitmap);
            if (paint.kind == Paint::None)
                continue;
            raster.Render(clip, FillRule::EvenOdd, [&](int y, int x0, int x1, const float* cov) {
                PaintSpan(paint, canvas, y, x0, x1, cov);
            });
        }
        for (uint32_t l = 1; l <= group.lines.size(); ++l)
            DrawStroke(group, l, m, cx, canvas, clip, raster);
    }
}

bool ShapeContains(const ShapeDef& shape, double x, double y)
{
    // Even-odd crossing count of a ray to the right, per fill style.
    std::vector<Pt> pts;
    const Matrix identity;
    for (const StyleGroup& group : shape.groups) {
        for (uint32_t f = 1; f <= group.fills.size(); ++f) {
            int crossings = 0;
            for (const ShapeEdge& e : group.edges) {
                int times = (e.fill0 == f) + (e.fill1 == f);
                if (times == 0)
                    continue;
                pts.clear();
                pts.push_back(Pt{ e.x0, e.y0 });
                Flatten(e, identity, pts);
                for (size_t i = 0; i + 1 < pts.size(); ++i) {
                    const Pt& a = pts[i];
                    const Pt& b = pts[i + 1];
                    if ((a.y <= y) == (b.y <= y))
                        continue;
                    double cx = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
                    if (cx > x)
                        crossings += times;
                }
            }
            if (crossings & 1)
                return true;
        }
    }
    return false;
}

}  // namespace movieplayer
