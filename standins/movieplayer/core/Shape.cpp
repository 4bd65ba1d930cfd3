// Decoder of shape records: style arrays, style changes, straight and curved edges.
#include "Shape.h"

namespace movieplayer {
namespace {

bool ReadFillStyles(BitReader& in, int version, std::vector<FillStyle>& out)
{
    unsigned count = in.U8();
    if (count == 0xFF && version >= 2)
        count = in.U16();
    for (unsigned i = 0; i < count && in.Ok(); ++i) {
        FillStyle f;
        unsigned type = in.U8();
        if (type == 0x00) {
            f.kind = FillStyle::Solid;
            f.color = version >= 3 ? in.RgbaColor() : in.Rgb();
        } else if (type == 0x10 || type == 0x12 || type == 0x13) {
            f.kind = type == 0x10 ? FillStyle::LinearGradient : FillStyle::RadialGradient;
            f.matrix = in.ReadMatrix();
            in.UB(4);  // spread and interpolation modes: pad and RGB are all we draw
            unsigned n = in.UB(4);
            for (unsigned k = 0; k < n && in.Ok(); ++k) {
                GradientStop s;
                s.ratio = in.U8();
                s.color = version >= 3 ? in.RgbaColor() : in.Rgb();
                f.stops.push_back(s);
            }
            if (type == 0x13)
                in.U16();  // focal point, drawn as a plain radial gradient
            if (f.stops.empty())
                f.stops.push_back(GradientStop{});
        } else if (type >= 0x40 && type <= 0x43) {
            f.kind = FillStyle::Bitmap;
            f.bitmapId = in.U16();
            f.matrix = in.ReadMatrix();
            f.repeat = type == 0x40 || type == 0x42;
            f.smooth = type == 0x40 || type == 0x41;
        } else {
            in.Fail();
            return false;
        }
        out.push_back(f);
    }
    return in.Ok();
}

bool ReadLineStyles(BitReader& in, int version, std::vector<LineStyle>& out)
{
    unsigned count = in.U8();
    if (count == 0xFF)
        count = in.U16();
    for (unsigned i = 0; i < count && in.Ok(); ++i) {
        LineStyle l;
        l.width = in.U16();
        l.color = version >= 3 ? in.RgbaColor() : in.Rgb();
        out.push_back(l);
    }
    return in.Ok();
}

}  // namespace

bool DecodeShape(BitReader& in, int version, ShapeDef& out)
{
    out = ShapeDef();
    out.bounds = in.Rect();
    out.groups.emplace_back();
    if (!ReadFillStyles(in, version, out.groups.back().fills) ||
        !ReadLineStyles(in, version, out.groups.back().lines))
        return false;
    in.Align();
    unsigned fillBits = in.UB(4);
    unsigned lineBits = in.UB(4);

    double x = 0, y = 0;
    uint32_t fill0 = 0, fill1 = 0, line = 0;
    while (in.Ok()) {
        StyleGroup& group = out.groups.back();
        if (in.UB(1) == 0) {
            unsigned flags = in.UB(5);
            if (flags == 0)
                return in.Ok();  // end of shape
            if (flags & 0x01) {  // move to
                unsigned n = in.UB(5);
                x = in.SB(n);
                y = in.SB(n);
            }
            // Indices given alongside new styles refer to the new arrays; the rest start over.
            bool setFill0 = (flags & 0x02) != 0, setFill1 = (flags & 0x04) != 0, setLine = (flags & 0x08) != 0;
            uint32_t newFill0 = setFill0 ? in.UB(fillBits) : 0;
            uint32_t newFill1 = setFill1 ? in.UB(fillBits) : 0;
            uint32_t newLine = setLine ? in.UB(lineBits) : 0;
            if (flags & 0x10) {
                if (version < 2) {
                    in.Fail();
                    return false;
                }
                out.groups.emplace_back();
                if (!ReadFillStyles(in, version, out.groups.back().fills) ||
                    !ReadLineStyles(in, version, out.groups.back().lines))
                    return false;
                in.Align();
                fillBits = in.UB(4);
                lineBits = in.UB(4);
                fill0 = fill1 = line = 0;
            }
            if (setFill0) fill0 = newFill0;
            if (setFill1) fill1 = newFill1;
            if (setLine) line = newLine;
            const StyleGroup& cur = out.groups.back();
            if (fill0 > cur.fills.size() || fill1 > cur.fills.size() || line > cur.lines.size()) {
                in.Fail();
                return false;
            }
            continue;
        }
        ShapeEdge e;
        e.x0 = x;
        e.y0 = y;
        e.fill0 = fill0;
        e.fill1 = fill1;
        e.line = line;
        if (in.UB(1)) {  // straight
            unsigned n = in.UB(4) + 2;
            if (in.UB(1)) {
                x += in.SB(n);
                y += in.SB(n);
            } else if (in.UB(1)) {
                y += in.SB(n);
            } else {
                x += in.SB(n);
            }
        } else {
            unsigned n = in.UB(4) + 2;
            e.curved = true;
            e.cx = x + in.SB(n);
            e.cy = y + in.SB(n);
            x = e.cx + in.SB(n);
            y = e.cy + in.SB(n);
        }
        e.x1 = x;
        e.y1 = y;
        if (in.Ok())
            group.edges.push_back(e);
    }
    return false;
}

}  // namespace movieplayer
