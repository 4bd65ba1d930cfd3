// Decoding shape records: edges of each kind, style changes, new style arrays, bad indices.
#include <gtest/gtest.h>

#include <functional>

#include "MoviePlayerTestUtil.h"
#include "standins/movieplayer/core/BitReader.h"
#include "standins/movieplayer/core/Shape.h"

using namespace mptest;

namespace {

// Shape body, field by field: bounds, one red fill, one 40-twip blue line, 2 fill bits, 1 line bit.
BitWriter ShapeStart(int version)
{
    BitWriter w;
    w.Rect(0, 2000, 0, 2000);
    w.U8(1);
    w.U8(0x00);
    w.Color(Rgba{ 255, 0, 0, 255 }, version >= 3);
    w.U8(1);
    w.U16(40);
    w.Color(Rgba{ 0, 0, 255, 255 }, version >= 3);
    w.UB(2, 4);
    w.UB(1, 4);
    return w;
}

void StyleChange(BitWriter& w, bool move, int x, int y, int fill0 = -1, int fill1 = -1, int line = -1)
{
    w.UB(0, 1);
    unsigned flags = (move ? 1 : 0) | (fill0 >= 0 ? 2 : 0) | (fill1 >= 0 ? 4 : 0) | (line >= 0 ? 8 : 0);
    w.UB(flags, 5);
    if (move) {
        w.UB(12, 5);
        w.SB(x, 12), w.SB(y, 12);
    }
    if (fill0 >= 0) w.UB(fill0, 2);
    if (fill1 >= 0) w.UB(fill1, 2);
    if (line >= 0) w.UB(line, 1);
}

void Straight(BitWriter& w, int dx, int dy)
{
    w.UB(1, 1), w.UB(1, 1), w.UB(10, 4);  // 12-bit deltas
    if (dx != 0 && dy != 0) {
        w.UB(1, 1), w.SB(dx, 12), w.SB(dy, 12);
    } else {
        w.UB(0, 1), w.UB(dx == 0, 1), w.SB(dx == 0 ? dy : dx, 12);
    }
}

void Curve(BitWriter& w, int cdx, int cdy, int adx, int ady)
{
    w.UB(1, 1), w.UB(0, 1), w.UB(10, 4);
    w.SB(cdx, 12), w.SB(cdy, 12), w.SB(adx, 12), w.SB(ady, 12);
}

void End(BitWriter& w) { w.UB(0, 6); }

}  // namespace

TEST(MoviePlayerShape, EdgesOfEachKindWithTheirStyles)
{
    BitWriter w = ShapeStart(1);
    StyleChange(w, true, 100, 200, 0, 1, 1);
    Straight(w, 300, 0);      // horizontal
    Straight(w, 0, 400);      // vertical
    Straight(w, -150, 50);    // general
    Curve(w, -50, 0, -100, -450);
    StyleChange(w, false, 0, 0, -1, -1, 0);  // line off, fills kept
    Straight(w, 10, 0);
    End(w);
    BitReader in(w.Data().data(), w.Data().size());
    ShapeDef s;
    ASSERT_TRUE(DecodeShape(in, 1, s));
    ASSERT_EQ(s.groups.size(), 1u);
    const auto& g = s.groups[0];
    ASSERT_EQ(g.fills.size(), 1u);
    EXPECT_EQ(g.fills[0].color.r, 255);
    ASSERT_EQ(g.lines.size(), 1u);
    EXPECT_EQ(g.lines[0].width, 40);
    ASSERT_EQ(g.edges.size(), 5u);
    struct Expect { double x0, y0, x1, y1; bool curved; uint32_t fill1, line; };
    const Expect e[] = {
        { 100, 200, 400, 200, false, 1, 1 },
        { 400, 200, 400, 600, false, 1, 1 },
        { 400, 600, 250, 650, false, 1, 1 },
        { 250, 650, 100, 200, true, 1, 1 },
        { 100, 200, 110, 200, false, 1, 0 },
    };
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(g.edges[i].x0, e[i].x0) << i;
        EXPECT_EQ(g.edges[i].y0, e[i].y0) << i;
        EXPECT_EQ(g.edges[i].x1, e[i].x1) << i;
        EXPECT_EQ(g.edges[i].y1, e[i].y1) << i;
        EXPECT_EQ(g.edges[i].curved, e[i].curved) << i;
        EXPECT_EQ(g.edges[i].fill1, e[i].fill1) << i;
        EXPECT_EQ(g.edges[i].fill0, 0u) << i;
        EXPECT_EQ(g.edges[i].line, e[i].line) << i;
    }
    EXPECT_EQ(g.edges[3].cx, 200);
    EXPECT_EQ(g.edges[3].cy, 650);
}

TEST(MoviePlayerShape, NewStylesStartAGroup)
{
    BitWriter w = ShapeStart(3);
    StyleChange(w, true, 0, 0, 1, 0, 0);
    Straight(w, 100, 0);
    // New styles: two fills (green, half-transparent white), no lines, then 2 and 0 bits. The fill1
    // index given in the same record (2 bits, old count) already refers to the new fills.
    w.UB(0, 1);
    w.UB(0x10 | 0x04, 5);
    w.UB(2, 2);
    w.U8(2);
    w.U8(0), w.Color(Rgba{ 0, 255, 0, 255 }, true);
    w.U8(0), w.Color(Rgba{ 255, 255, 255, 128 }, true);
    w.U8(0);
    w.UB(2, 4), w.UB(0, 4);
    Straight(w, 0, 100);
    StyleChange(w, true, 500, 500, 1, -1, -1);  // 2 fill bits from here on
    Curve(w, 10, 10, 10, -10);
    End(w);
    BitReader in(w.Data().data(), w.Data().size());
    ShapeDef s;
    ASSERT_TRUE(DecodeShape(in, 3, s));
    ASSERT_EQ(s.groups.size(), 2u);
    ASSERT_EQ(s.groups[0].edges.size(), 1u);
    EXPECT_EQ(s.groups[0].edges[0].fill0, 1u);
    const auto& g = s.groups[1];
    ASSERT_EQ(g.fills.size(), 2u);
    EXPECT_EQ(g.fills[1].color.a, 128);
    ASSERT_EQ(g.edges.size(), 2u);
    EXPECT_EQ(g.edges[0].fill1, 2u);
    EXPECT_EQ(g.edges[0].fill0, 0u);  // reset by the new styles
    EXPECT_EQ(g.edges[0].x0, 100);  // the pen stays where it was
    EXPECT_EQ(g.edges[1].fill0, 1u);
    EXPECT_EQ(g.edges[1].fill1, 2u);
    EXPECT_EQ(g.edges[1].x1, 520);
}

TEST(MoviePlayerShape, BadShapesAreRefused)
{
    struct Case { const char* name; int version; std::function<void(BitWriter&)> body; };
    const Case cases[] = {
        { "fill index past the array", 1, [](BitWriter& w) { StyleChange(w, true, 0, 0, 3, 0, 0); End(w); } },
        { "line index past the array", 3, [](BitWriter& w) {
              // New styles with no lines at all, and line 1 chosen in the same record.
              w.UB(0, 1); w.UB(0x10 | 0x08, 5); w.UB(1, 1);
              w.U8(0); w.U8(0); w.UB(0, 4); w.UB(0, 4); End(w); } },
        { "new styles in a version 1 shape", 1, [](BitWriter& w) {
              w.UB(0, 1); w.UB(0x10, 5); w.U8(0); w.U8(0); w.UB(0, 4); w.UB(0, 4); End(w); } },
        { "no end record", 1, [](BitWriter& w) { StyleChange(w, true, 0, 0, 1, 0, 0); Straight(w, 5, 5); } },
        { "unknown fill type", 3, [](BitWriter& w) {
              w.UB(0, 1); w.UB(0x10, 5); w.U8(1); w.U8(0x77); End(w); } },
    };
    for (const Case& c : cases) {
        BitWriter w = ShapeStart(c.version);
        c.body(w);
        BitReader in(w.Data().data(), w.Data().size());
        ShapeDef s;
        EXPECT_FALSE(DecodeShape(in, c.version, s)) << c.name;
    }
}
