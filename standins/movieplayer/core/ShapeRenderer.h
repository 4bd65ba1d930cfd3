// Draws a shape: each fill style's region by the even-odd rule, then its strokes with round
// joins and caps, group after group.
#pragma once

#include "Movie.h"
#include "Painter.h"
#include "Rasterizer.h"

namespace movieplayer {

void DrawShape(const ShapeDef& shape, const Movie& movie, const Matrix& toPixels,
               const ColorTransform& cx, Canvas& canvas, const PixelRect& clip, Rasterizer& raster);

// True when the point (in the shape's own twips) lies in one of its filled regions.
bool ShapeContains(const ShapeDef& shape, double x, double y);

}  // namespace movieplayer
