// Shapes: fill and line styles and the edges between them, decoded from DefineShape 1, 2 and 3.
#pragma once

#include <cstdint>
#include <vector>

#include "BitReader.h"
#include "SwfTypes.h"

namespace movieplayer {

struct GradientStop {
    uint8_t ratio = 0;
    Rgba color;
};

struct FillStyle {
    enum Kind { Solid, LinearGradient, RadialGradient, Bitmap };
    Kind kind = Solid;
    Rgba color;
    Matrix matrix;  // gradient square or bitmap pixels into shape twips
    std::vector<GradientStop> stops;
    uint16_t bitmapId = 0;
    bool repeat = true;  // bitmap tiles; otherwise the edge pixels stretch outward
    bool smooth = true;  // bitmap sampled bilinearly
};

struct LineStyle {
    uint16_t width = 0;  // twips
    Rgba color;
};

// One straight (no control point) or quadratic edge; styles index the group's arrays from 1.
struct ShapeEdge {
    double x0 = 0, y0 = 0, cx = 0, cy = 0, x1 = 0, y1 = 0;
    bool curved = false;
    uint32_t fill0 = 0, fill1 = 0, line = 0;
};

// Edges drawn with one set of styles; a shape gets a new group each time it brings new styles.
struct StyleGroup {
    std::vector<FillStyle> fills;
    std::vector<LineStyle> lines;
    std::vector<ShapeEdge> edges;
};

struct ShapeDef {
    TwipRect bounds;
    std::vector<StyleGroup> groups;
};

// Decodes the body of a DefineShape tag (after its id) of the given version (1, 2 or 3).
bool DecodeShape(BitReader& in, int version, ShapeDef& out);

}  // namespace movieplayer
