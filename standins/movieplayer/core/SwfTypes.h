// Small value types of the movie format: colours, matrices, colour transforms, rectangles.
#pragma once

#include <cstdint>

namespace movieplayer {

// Straight (not premultiplied) colour, 0..255 per channel.
struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

// Rectangle in twips (1/20 pixel), as the file stores it.
struct TwipRect {
    int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

// x' = a*x + c*y + tx; y' = b*x + d*y + ty.
struct Matrix {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    void Apply(double x, double y, double& ox, double& oy) const
    {
        ox = a * x + c * y + tx;
        oy = b * x + d * y + ty;
    }
    // this applied after inner.
    Matrix operator*(const Matrix& inner) const
    {
        Matrix r;
        r.a = a * inner.a + c * inner.b;
        r.b = b * inner.a + d * inner.b;
        r.c = a * inner.c + c * inner.d;
        r.d = b * inner.c + d * inner.d;
        r.tx = a * inner.tx + c * inner.ty + tx;
        r.ty = b * inner.tx + d * inner.ty + ty;
        return r;
    }
    // False when the matrix squashes the plane to a line.
    bool Invert(Matrix& out) const
    {
        double det = a * d - b * c;
        if (det == 0.0 || det != det)
            return false;
        out.a = d / det;
        out.b = -b / det;
        out.c = -c / det;
        out.d = a / det;
        out.tx = -(out.a * tx + out.c * ty);
        out.ty = -(out.b * tx + out.d * ty);
        return true;
    }
};

// c' = c*mul + add per channel; mul in units of 1.0, add in colour units.
struct ColorTransform {
    float mulR = 1, mulG = 1, mulB = 1, mulA = 1;
    float addR = 0, addG = 0, addB = 0, addA = 0;

    bool IsIdentity() const
    {
        return mulR == 1 && mulG == 1 && mulB == 1 && mulA == 1 &&
               addR == 0 && addG == 0 && addB == 0 && addA == 0;
    }
    // this applied after inner.
    ColorTransform operator*(const ColorTransform& inner) const
    {
        ColorTransform r;
        r.mulR = mulR * inner.mulR; r.addR = mulR * inner.addR + addR;
        r.mulG = mulG * inner.mulG; r.addG = mulG * inner.addG + addG;
        r.mulB = mulB * inner.mulB; r.addB = mulB * inner.addB + addB;
        r.mulA = mulA * inner.mulA; r.addA = mulA * inner.addA + addA;
        return r;
    }
    Rgba Apply(Rgba c) const
    {
        return Rgba{ Clamp(c.r * mulR + addR), Clamp(c.g * mulG + addG),
                     Clamp(c.b * mulB + addB), Clamp(c.a * mulA + addA) };
    }
    static uint8_t Clamp(float v)
    {
        if (!(v > 0)) return 0;
        if (v >= 255) return 255;
        return static_cast<uint8_t>(v + 0.5f);
    }
};

}  // namespace movieplayer
