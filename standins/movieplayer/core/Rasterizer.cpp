// Scanline coverage: crossings per sub-row, spans by the fill rule, exact horizontal coverage
// accumulated as differences and summed once per row.
#include "Rasterizer.h"

#include <algorithm>
#include <cmath>

namespace movieplayer {

void Rasterizer::AddLine(double x0, double y0, double x1, double y1)
{
    if (!(std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1)))
        return;
    if (y0 == y1)
        return;  // horizontal lines never cross a sample row
    if (y0 < y1)
        m_edges.push_back(Edge{ x0, y0, x1, y1, 1 });
    else
        m_edges.push_back(Edge{ x1, y1, x0, y0, -1 });
}

void Rasterizer::AddQuad(double x0, double y0, double cx, double cy, double x1, double y1)
{
    double ddx = x0 - 2 * cx + x1, ddy = y0 - 2 * cy + y1;
    int n = CurveSteps(std::sqrt(ddx * ddx + ddy * ddy));
    double px = x0, py = y0;
    for (int i = 1; i <= n; ++i) {
        double t = double(i) / n, u = 1 - t;
        double x = u * u * x0 + 2 * u * t * cx + t * t * x1;
        double y = u * u * y0 + 2 * u * t * cy + t * t * y1;
        AddLine(px, py, x, y);
        px = x, py = y;
    }
}

int Rasterizer::CurveSteps(double dd)
{
    // Error of n chords is dd / (8 n^2). Clamped as a double first: far-off input is huge or NaN.
    double n = std::ceil(std::sqrt(dd / 0.8));
    return n >= 64 ? 64 : (n >= 1 ? static_cast<int>(n) : 1);
}

void Rasterizer::Render(const PixelRect& clip, FillRule rule, const SpanFn& span)
{
    if (m_edges.empty() || clip.Empty())
        return;
    std::sort(m_edges.begin(), m_edges.end(),
              [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
    double maxY = m_edges.front().y1;
    for (const Edge& e : m_edges)
        maxY = std::max(maxY, e.y1);
    // Limits taken in doubles: edges may lie far outside any integer range.
    double topD = std::max<double>(clip.top, std::floor(m_edges.front().y0));
    double bottomD = std::min<double>(clip.bottom, std::ceil(maxY));
    if (!(topD < bottomD))
        return;
    int top = static_cast<int>(topD), bottom = static_cast<int>(bottomD);

    const int width = clip.right - clip.left;
    m_delta.assign(width + 2, 0.0f);
    m_cover.assign(width + 1, 0.0f);
    const float weight = 1.0f / kSubRows;
    std::vector<const Edge*> active;
    size_t next = 0;

    for (int row = top; row < bottom; ++row) {
        int minX = width + 1, maxX = -1;
        for (int s = 0; s < kSubRows; ++s) {
            double sy = row + (s + 0.5) / kSubRows;
            while (next < m_edges.size() && m_edges[next].y0 <= sy)
                active.push_back(&m_edges[next++]);
            m_cross.clear();
            size_t keep = 0;
            for (const Edge* e : active) {
                if (e->y1 <= sy)
                    continue;  // finished: dropped from the active list
                active[keep++] = e;
                if (e->y0 > sy)
                    continue;
                double x = e->x0 + (sy - e->y0) * (e->x1 - e->x0) / (e->y1 - e->y0);
                m_cross.emplace_back(x, e->dir);
            }
            active.resize(keep);
            std::sort(m_cross.begin(), m_cross.end());
            int winding = 0;
            for (size_t i = 0; i + 1 < m_cross.size(); ++i) {
                winding += m_cross[i].second;
                bool inside = rule == FillRule::EvenOdd ? (winding & 1) != 0 : winding != 0;
                if (!inside)
                    continue;
                double xa = std::max(m_cross[i].first - clip.left, 0.0);
                double xb = std::min(m_cross[i + 1].first - clip.left, double(width));
                if (xb <= xa)
                    continue;
                int ia = static_cast<int>(xa), ib = static_cast<int>(xb);
                float fa = static_cast<float>(xa - ia), fb = static_cast<float>(xb - ib);
                m_delta[ia] += weight * (1 - fa);
                m_delta[ia + 1] += weight * fa;
                m_delta[ib] -= weight * (1 - fb);
                m_delta[ib + 1] -= weight * fb;
                m_touched.insert(m_touched.end(), { ia, ia + 1, ib, ib + 1 });
                minX = std::min(minX, ia);
                maxX = std::max(maxX, ib);
            }
        }
        if (maxX < 0)
            continue;
        // Coverage changes only at the touched cells; between them it is constant and is filled
        // as a run instead of summed pixel by pixel.
        int last = std::min(maxX, width - 1);
        std::sort(m_touched.begin(), m_touched.end());
        m_touched.erase(std::unique(m_touched.begin(), m_touched.end()), m_touched.end());
        float sum = 0;
        int x = minX;
        auto clamp = [](float v) { return v < 0 ? 0.0f : (v > 1 ? 1.0f : v); };
        for (int t : m_touched) {
            if (t > last)
                break;
            std::fill(m_cover.begin() + x, m_cover.begin() + t, clamp(sum));
            sum += m_delta[t];
            m_cover[t] = clamp(sum);
            x = t + 1;
        }
        if (x <= last)
            std::fill(m_cover.begin() + x, m_cover.begin() + last + 1, clamp(sum));
        if (last >= minX)
            span(row, clip.left + minX, clip.left + last + 1, m_cover.data() + minX);
        for (int t : m_touched)
            m_delta[t] = 0.0f;
        m_touched.clear();
    }
}

}  // namespace movieplayer
