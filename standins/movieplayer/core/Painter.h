// Paints covered spans into a 32-bit BGRA buffer over what it already holds: solid colours,
// bitmaps and gradients, each through a colour transform.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "Bitmap.h"
#include "Shape.h"
#include "SwfTypes.h"

namespace movieplayer {

// 32-bit pixels, blue, green, red, alpha; stride in bytes (negative for bottom-up rows).
struct Canvas {
    uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

struct Paint {
    enum Kind { Solid, Bitmap, Gradient, None };
    Kind kind = None;
    float r = 0, g = 0, b = 0, a = 0;  // solid, premultiplied, 0..255
    const BitmapDef* bitmap = nullptr;
    Matrix inverse;  // pixel centre to bitmap pixels or gradient square
    bool repeat = true, smooth = true, radial = false;
    ColorTransform cxform;
    bool plainColors = true;  // cxform is the identity
    std::array<uint32_t, 256> ramp{};  // gradient colours, premultiplied RGBA packed r|g<<8|b<<16|a<<24

    // Prepares the paint of a fill drawn with toPixels; None when nothing can be drawn.
    static Paint ForFill(const FillStyle& fill, const Matrix& toPixels, const ColorTransform& cx,
                         const BitmapDef* bitmap);
    static Paint ForColor(Rgba color, const ColorTransform& cx);
};

void PaintSpan(const Paint& paint, Canvas& canvas, int y, int x0, int x1, const float* coverage);

}  // namespace movieplayer
