// Span painting: source colour per pixel, scaled by coverage, laid over the destination.
#include "Painter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace movieplayer {
namespace {

// Premultiplied source (0..255 a channel) over the destination, scaled by coverage; integer
// arithmetic, with x / 255 done as (x + 128) * 257 >> 16.
inline uint32_t Div255(uint32_t x) { return ((x + 128) * 257) >> 16; }

inline void BlendInt(uint8_t* d, uint32_t r, uint32_t g, uint32_t b, uint32_t a, float cov)
{
    if (cov < 1.0f) {
        uint32_t k = static_cast<uint32_t>(cov * 255.0f + 0.5f);
        r = Div255(r * k), g = Div255(g * k), b = Div255(b * k), a = Div255(a * k);
    }
    const uint32_t inv = 255 - a;
    d[0] = static_cast<uint8_t>(b + Div255(d[0] * inv));
    d[1] = static_cast<uint8_t>(g + Div255(d[1] * inv));
    d[2] = static_cast<uint8_t>(r + Div255(d[2] * inv));
    d[3] = static_cast<uint8_t>(a + Div255(d[3] * inv));
}

inline void Blend(uint8_t* d, float r, float g, float b, float a, float cov)
{
    // Premultiplied source over destination.
    float k = 1.0f - a * cov / 255.0f;
    d[0] = static_cast<uint8_t>(b * cov + d[0] * k + 0.5f);
    d[1] = static_cast<uint8_t>(g * cov + d[1] * k + 0.5f);
    d[2] = static_cast<uint8_t>(r * cov + d[2] * k + 0.5f);
    d[3] = static_cast<uint8_t>(a * cov + d[3] * k + 0.5f);
}

inline int Wrap(int v, int n) { v %= n; return v < 0 ? v + n : v; }
inline int ClampI(int v, int n) { return v < 0 ? 0 : (v >= n ? n - 1 : v); }

// Premultiplied colour through a colour transform (which works on straight colour).
void Transform(const ColorTransform& cx, float& r, float& g, float& b, float& a)
{
    Rgba c;
    if (a > 0) {
        c = Rgba{ ColorTransform::Clamp(r * 255 / a), ColorTransform::Clamp(g * 255 / a),
                  ColorTransform::Clamp(b * 255 / a), ColorTransform::Clamp(a) };
    } else {
        c = Rgba{ 0, 0, 0, 0 };
    }
    c = cx.Apply(c);
    a = c.a;
    r = c.r * a / 255, g = c.g * a / 255, b = c.b * a / 255;
}

void SampleBitmap(const Paint& p, double u, double v, float& r, float& g, float& b, float& a)
{
    const BitmapDef& bm = *p.bitmap;
    const int w = bm.width, h = bm.height;
    auto texel = [&](int x, int y) {
        x = p.repeat ? Wrap(x, w) : ClampI(x, w);
        y = p.repeat ? Wrap(y, h) : ClampI(y, h);
        return bm.bgra.data() + (size_t(y) * w + x) * 4;
    };
    if (!p.smooth) {
        const uint8_t* t = texel(static_cast<int>(std::floor(u)), static_cast<int>(std::floor(v)));
        r = t[2], g = t[1], b = t[0], a = t[3];
        return;
    }
    double fu = u - 0.5, fv = v - 0.5;
    int x0 = static_cast<int>(std::floor(fu)), y0 = static_cast<int>(std::floor(fv));
    float tx = static_cast<float>(fu - x0), ty = static_cast<float>(fv - y0);
    const uint8_t* t00 = texel(x0, y0);
    const uint8_t* t10 = texel(x0 + 1, y0);
    const uint8_t* t01 = texel(x0, y0 + 1);
    const uint8_t* t11 = texel(x0 + 1, y0 + 1);
    float w00 = (1 - tx) * (1 - ty), w10 = tx * (1 - ty), w01 = (1 - tx) * ty, w11 = tx * ty;
    r = t00[2] * w00 + t10[2] * w10 + t01[2] * w01 + t11[2] * w11;
    g = t00[1] * w00 + t10[1] * w10 + t01[1] * w01 + t11[1] * w11;
    b = t00[0] * w00 + t10[0] * w10 + t01[0] * w01 + t11[0] * w11;
    a = t00[3] * w00 + t10[3] * w10 + t01[3] * w01 + t11[3] * w11;
}

// A bitmap drawn pixel for pixel, unscaled: whole rows of texels, no sampling arithmetic.
void BitmapRowOneToOne(const Paint& p, uint8_t* row, int y, int x0, int x1, const float* coverage)
{
    const BitmapDef& bm = *p.bitmap;
    const double tv = std::floor(y + 0.5 + p.inverse.ty), tu = std::floor(x0 + 0.5 + p.inverse.tx);
    if (!(tv > -1e8 && tv < 1e8 && tu > -1e8 && tu < 1e8))
        return;
    int ty = static_cast<int>(tv), tx = static_cast<int>(tu);
    ty = p.repeat ? Wrap(ty, bm.height) : ClampI(ty, bm.height);
    const uint8_t* texRow = bm.bgra.data() + size_t(ty) * bm.width * 4;
    int t = p.repeat ? Wrap(tx, bm.width) : tx;
    for (int x = x0; x < x1; ++x) {
        const uint8_t* s = texRow + size_t(p.repeat ? t : ClampI(t, bm.width)) * 4;
        if (++t == bm.width && p.repeat)
            t = 0;
        float c = coverage[x - x0];
        uint8_t* d = row + x * 4;
        if (c >= 1.0f && s[3] == 255)
            std::memcpy(d, s, 4);
        else if (c > 0)
            BlendInt(d, s[2], s[1], s[0], s[3], c);
    }
}

}  // namespace

Paint Paint::ForColor(Rgba color, const ColorTransform& cx)
{
    Rgba c = cx.Apply(color);
    Paint p;
    p.kind = c.a == 0 ? None : Solid;
    p.a = c.a;
    p.r = c.r * p.a / 255.0f;
    p.g = c.g * p.a / 255.0f;
    p.b = c.b * p.a / 255.0f;
    return p;
}

Paint Paint::ForFill(const FillStyle& fill, const Matrix& toPixels, const ColorTransform& cx,
                     const BitmapDef* bitmap)
{
    if (fill.kind == FillStyle::Solid)
        return ForColor(fill.color, cx);
    Paint p;
    if (!(toPixels * fill.matrix).Invert(p.inverse))
        return p;  // squashed to nothing
    p.cxform = cx;
    p.plainColors = cx.IsIdentity();
    if (fill.kind == FillStyle::Bitmap) {
        if (bitmap == nullptr || bitmap->width <= 0 || bitmap->height <= 0)
            return p;
        p.kind = Bitmap;
        p.bitmap = bitmap;
        p.repeat = fill.repeat;
        p.smooth = fill.smooth;
        // Rounding leaves 1/20 * 20 a hair off one; snap so the exact cases below are found.
        Matrix& m = p.inverse;
        for (double* v : { &m.a, &m.b, &m.c, &m.d, &m.tx, &m.ty }) {
            double r = std::round(*v);
            if (std::fabs(*v - r) < 1e-7)
                *v = r;
        }
        // Drawn one to one on whole pixels, smoothing would only blur.
        if (m.a == 1 && m.d == 1 && m.b == 0 && m.c == 0 && m.tx == std::floor(m.tx) &&
            m.ty == std::floor(m.ty))
            p.smooth = false;
        return p;
    }
    p.kind = Gradient;
    p.radial = fill.kind == FillStyle::RadialGradient;
    const auto& stops = fill.stops;
    for (int i = 0; i < 256; ++i) {
        Rgba c = stops.front().color;
        if (i >= stops.back().ratio) {
            c = stops.back().color;
        } else {
            for (size_t k = 1; k < stops.size(); ++k) {
                if (i > stops[k].ratio)
                    continue;
                const GradientStop& s0 = stops[k - 1];
                const GradientStop& s1 = stops[k];
                if (i < s0.ratio)
                    break;  // before the first stop
                float t = s1.ratio == s0.ratio ? 1.0f : float(i - s0.ratio) / (s1.ratio - s0.ratio);
                auto mix = [t](uint8_t x, uint8_t y) {
                    return static_cast<uint8_t>(x + (y - x) * t + 0.5f);
                };
                c = Rgba{ mix(s0.color.r, s1.color.r), mix(s0.color.g, s1.color.g),
                          mix(s0.color.b, s1.color.b), mix(s0.color.a, s1.color.a) };
                break;
            }
        }
        c = cx.Apply(c);
        uint32_t a = c.a;
        p.ramp[i] = (c.r * a / 255) | ((c.g * a / 255) << 8) | ((c.b * a / 255) << 16) | (a << 24);
    }
    return p;
}

void PaintSpan(const Paint& p, Canvas& canvas, int y, int x0, int x1, const float* coverage)
{
    uint8_t* row = canvas.bits + std::ptrdiff_t(y) * canvas.stride;
    switch (p.kind) {
    case Paint::None:
        return;
    case Paint::Solid: {
        const uint32_t sr = static_cast<uint32_t>(p.r + 0.5f), sg = static_cast<uint32_t>(p.g + 0.5f),
                       sb = static_cast<uint32_t>(p.b + 0.5f), sa = static_cast<uint32_t>(p.a + 0.5f);
        for (int x = x0; x < x1; ++x) {
            float c = coverage[x - x0];
            if (c >= 1.0f && p.a >= 255.0f) {
                uint8_t* d = row + x * 4;
                d[0] = static_cast<uint8_t>(p.b), d[1] = static_cast<uint8_t>(p.g), d[2] = static_cast<uint8_t>(p.r);
                d[3] = 255;
            } else if (c > 0) {
                BlendInt(row + x * 4, sr, sg, sb, sa, c);
            }
        }
        return;
    }
    case Paint::Bitmap:
        if (!p.smooth && p.plainColors && p.inverse.a == 1 && p.inverse.b == 0 && p.inverse.c == 0 &&
            p.inverse.d == 1) {
            BitmapRowOneToOne(p, row, y, x0, x1, coverage);
            return;
        }
        [[fallthrough]];
    case Paint::Gradient: {
        const Matrix& m = p.inverse;
        const double py = y + 0.5;
        double u = m.a * (x0 + 0.5) + m.c * py + m.tx;
        double v = m.b * (x0 + 0.5) + m.d * py + m.ty;
        for (int x = x0; x < x1; ++x, u += m.a, v += m.b) {
            float c = coverage[x - x0];
            if (c <= 0)
                continue;
            // Far-off or undefined positions would overflow the integer texel lookup.
            double su = u > -1e8 && u < 1e8 ? u : 0;
            double sv = v > -1e8 && v < 1e8 ? v : 0;
            float r, g, b, a;
            if (p.kind == Paint::Bitmap) {
                SampleBitmap(p, su, sv, r, g, b, a);
                if (!p.plainColors)
                    Transform(p.cxform, r, g, b, a);
            } else {
                double t = p.radial ? std::sqrt(su * su + sv * sv) / 16384.0 : (su + 16384.0) / 32768.0;
                int i = t <= 0 || t != t ? 0 : (t >= 1 ? 255 : static_cast<int>(t * 255 + 0.5));
                uint32_t q = p.ramp[i];
                r = float(q & 255), g = float((q >> 8) & 255), b = float((q >> 16) & 255),
                a = float(q >> 24);
            }
            Blend(row + x * 4, r, g, b, a, c);
        }
        return;
    }
    }
}

}  // namespace movieplayer
