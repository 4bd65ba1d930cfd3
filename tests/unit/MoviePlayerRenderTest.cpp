// Drawing: known shapes checked at chosen pixels, with a little room for anti-aliasing.
#include <gtest/gtest.h>

#include <cmath>

#include "MoviePlayerTestUtil.h"

using namespace mptest;

namespace {

const Rgba kRed{ 255, 0, 0, 255 };
const Rgba kBlack{ 0, 0, 0, 0 };
const uint32_t kWhiteBgra = 0xFFFFFFFF;

// A 100x100 movie showing one shape at depth 1.
Player Show(const ShapeSpec& shape, const Matrix& place = Matrix(), const ColorTransform* cx = nullptr,
            void (*define)(SwfWriter&) = nullptr)
{
    SwfWriter w(100, 100, 12);
    if (define)
        define(w);
    w.DefineShape(1, shape);
    w.Place(1, 1, place, cx);
    w.ShowFrame();
    auto bytes = w.Finish();
    Player p;
    EXPECT_TRUE(p.Load(bytes.data(), bytes.size()));
    return p;
}

struct Probe {
    int x, y;
    Rgba expect;
};

void Check(const Picture& pic, const std::vector<Probe>& probes, const char* what, int tol = 8)
{
    for (const Probe& p : probes)
        EXPECT_TRUE(Near(pic.At(p.x, p.y), p.expect, tol))
            << what << " at " << p.x << "," << p.y << ": " << pic.At(p.x, p.y) << " expected " << p.expect;
}

}  // namespace

TEST(MoviePlayerRender, FilledShapes)
{
    ShapeSpec square;
    square.fills.push_back(Solid(255, 0, 0));
    square.paths.push_back(Box(20, 20, 60, 60, 1));

    ShapeSpec triangle;  // right angle at (10,10), legs of 80
    triangle.fills.push_back(Solid(255, 0, 0));
    triangle.paths.push_back(Polygon({ { 10, 10 }, { 90, 10 }, { 10, 90 } }, 1));

    ShapeSpec hole;  // 80x80 square with a 40x40 hole: inner path has the fill on its other side
    hole.fills.push_back(Solid(255, 0, 0));
    hole.paths.push_back(Box(10, 10, 90, 90, 1));
    ShapePath inner = Box(30, 30, 70, 70, 0);
    inner.fill0 = 1;
    hole.paths.push_back(inner);

    ShapeSpec curve;  // a half disc of radius 40 made of two quadratic curves, flat side at y = 50
    curve.fills.push_back(Solid(255, 0, 0));
    ShapePath c;
    c.startX = 10 * 20, c.startY = 50 * 20, c.fill1 = 1;
    c.edges.push_back(PathEdge{ true, 10 * 20, 10 * 20, 50 * 20, 10 * 20 });
    c.edges.push_back(PathEdge{ true, 90 * 20, 10 * 20, 90 * 20, 50 * 20 });
    c.edges.push_back(PathEdge{ false, 0, 0, 10 * 20, 50 * 20 });
    curve.paths.push_back(c);

    struct Case { const char* name; ShapeSpec shape; std::vector<Probe> probes; };
    const Case cases[] = {
        { "square", square, { { 20, 20, kRed }, { 59, 59, kRed }, { 40, 40, kRed }, { 19, 40, kBlack },
                              { 60, 40, kBlack }, { 40, 60, kBlack }, { 5, 5, kBlack } } },
        { "triangle", triangle, { { 12, 12, kRed }, { 40, 40, kRed }, { 60, 60, kBlack },
                                  { 87, 11, kRed }, { 11, 87, kRed }, { 80, 80, kBlack } } },
        { "shape with a hole", hole, { { 15, 15, kRed }, { 85, 50, kRed }, { 50, 50, kBlack },
                                       { 31, 31, kBlack }, { 28, 50, kRed }, { 95, 95, kBlack } } },
        // The curve's top reaches y = 30 at x = 50 (midpoint of the quadratic from (10,50) to (50,10)
        // through control (10,10) lies at (20,20)).
        { "curve", curve, { { 50, 15, kRed }, { 20, 25, kRed }, { 12, 12, kBlack }, { 88, 12, kBlack },
                            { 50, 49, kRed }, { 50, 52, kBlack } } },
    };
    for (const Case& k : cases) {
        Player p = Show(k.shape);
        Picture pic = Draw(p, 100, 100);
        Check(pic, k.probes, k.name);
    }
}

TEST(MoviePlayerRender, EdgesAreAntiAliased)
{
    ShapeSpec s;
    s.fills.push_back(Solid(255, 255, 255));
    s.paths.push_back(Box(10.5, 10, 50, 50, 1));  // left edge halfway through pixel 10
    Player p = Show(s);
    Picture pic = Draw(p, 100, 100);
    EXPECT_NEAR(pic.At(10, 30).r, 128, 6);
    EXPECT_EQ(pic.At(11, 30).r, 255);
    EXPECT_EQ(pic.At(9, 30).r, 0);
}

TEST(MoviePlayerRender, UncoveredPixelsStayAsTheyWere)
{
    ShapeSpec s;
    s.fills.push_back(Solid(255, 0, 0));
    s.paths.push_back(Box(20, 20, 60, 60, 1));
    Player p = Show(s);
    // Over black and over white, as the layered host draws: the difference gives the alpha.
    Picture black = Draw(p, 100, 100, 0x00000000);
    Picture white = Draw(p, 100, 100, kWhiteBgra);
    EXPECT_EQ(black.At(5, 5).r, 0);
    EXPECT_EQ(white.At(5, 5).r, 255);
    EXPECT_EQ(white.At(5, 5).g, 255);
    EXPECT_EQ(black.At(40, 40).r, 255);
    EXPECT_EQ(white.At(40, 40).g, 0);
}

TEST(MoviePlayerRender, HalfTransparentFillAndColorTransform)
{
    ShapeSpec s;
    s.fills.push_back(Solid(255, 0, 0, 128));
    s.paths.push_back(Box(0, 0, 100, 100, 1));
    Player p = Show(s);
    Picture white = Draw(p, 100, 100, kWhiteBgra);
    EXPECT_TRUE(Near(white.At(50, 50), Rgba{ 255, 127, 127, 255 }, 3)) << white.At(50, 50);
    Picture black = Draw(p, 100, 100, 0);
    EXPECT_TRUE(Near(black.At(50, 50), Rgba{ 128, 0, 0, 0 }, 3)) << black.At(50, 50);

    // A colour transform turning opaque red into half-transparent blue.
    ShapeSpec solid;
    solid.fills.push_back(Solid(255, 0, 0));
    solid.paths.push_back(Box(0, 0, 100, 100, 1));
    ColorTransform cx;
    cx.mulR = 0, cx.addB = 255, cx.mulA = 0.5f;
    Player q = Show(solid, Matrix(), &cx);
    Picture pic = Draw(q, 100, 100, 0);
    EXPECT_TRUE(Near(pic.At(50, 50), Rgba{ 0, 0, 128, 0 }, 3)) << pic.At(50, 50);
}

TEST(MoviePlayerRender, BitmapFill)
{
    // A 2x2 bitmap (red, green / blue, half-transparent white) drawn 10 pixels a texel, unsmoothed.
    auto define = [](SwfWriter& w) {
        w.DefineBitmap(7, 2, 2, { 255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 128 });
    };
    ShapeSpec s;
    FillStyle f;
    f.kind = FillStyle::Bitmap;
    f.bitmapId = 7;
    f.smooth = false;
    f.repeat = true;
    f.matrix.a = f.matrix.d = 200;  // one texel = 200 twips = 10 pixels
    f.matrix.tx = f.matrix.ty = 200;
    s.fills.push_back(f);
    s.paths.push_back(Box(10, 10, 50, 50, 1));  // two repeats each way
    Player p = Show(s, Matrix(), nullptr, define);
    Picture pic = Draw(p, 100, 100, 0);
    Check(pic, { { 12, 12, Rgba{ 255, 0, 0, 255 } }, { 25, 12, Rgba{ 0, 255, 0, 255 } },
                 { 12, 25, Rgba{ 0, 0, 255, 255 } }, { 25, 25, Rgba{ 128, 128, 128, 128 } },
                 { 35, 35, Rgba{ 255, 0, 0, 255 } }, { 45, 35, Rgba{ 0, 255, 0, 255 } },
                 { 55, 55, kBlack } }, "bitmap", 3);
}

TEST(MoviePlayerRender, StrokesAndMatrices)
{
    ShapeSpec s;
    LineStyle l;
    l.width = 80;  // 4 pixels
    l.color = Rgba{ 0, 0, 255, 255 };
    s.lines.push_back(l);
    ShapePath line;
    line.startX = 0, line.startY = 0, line.line = 1;
    line.edges.push_back(PathEdge{ false, 0, 0, 40 * 20, 0 });
    s.paths.push_back(line);
    // Placed at (10, 30), scaled twice along x, so the line runs from x 10 to 90 with round ends.
    Matrix m = Translate(10, 30);
    m.a = 2;
    Player p = Show(s, m);
    Picture pic = Draw(p, 100, 100, 0);
    const Rgba blue{ 0, 0, 255, 255 };
    Check(pic, { { 50, 30, blue }, { 50, 28, blue }, { 50, 31, blue }, { 50, 35, kBlack },
                 { 91, 30, blue }, { 8, 30, blue }, { 50, 25, kBlack }, { 96, 30, kBlack } }, "stroke");

    // A rotated square: 90 degrees about the origin, then moved back into view.
    ShapeSpec sq;
    sq.fills.push_back(Solid(255, 0, 0));
    sq.paths.push_back(Box(0, 0, 40, 20, 1));
    Matrix r = Translate(60, 10);
    r.a = 0, r.b = 1, r.c = -1, r.d = 0;  // (x, y) -> (-y, x)
    Player q = Show(sq, r);
    Picture rot = Draw(q, 100, 100, 0);
    Check(rot, { { 50, 20, kRed }, { 45, 45, kRed }, { 65, 20, kBlack }, { 35, 20, kBlack }, { 50, 55, kBlack } }, "rotation");
}

TEST(MoviePlayerRender, ShowAllFitsTheStageAndCentresIt)
{
    // A 100x100 stage filled red, shown in a 300x200 viewport: a 200x200 square centred.
    ShapeSpec s;
    s.fills.push_back(Solid(255, 0, 0));
    s.paths.push_back(Box(0, 0, 100, 100, 1));
    Player p = Show(s);
    Picture pic = Draw(p, 300, 200, 0);
    Check(pic, { { 49, 100, kBlack }, { 51, 100, kRed }, { 248, 100, kRed }, { 251, 100, kBlack },
                 { 150, 1, kRed }, { 150, 198, kRed } }, "showAll");
    // With a background colour, the letterbox is filled as well.
    const Rgba green{ 0, 255, 0, 255 };
    Picture bg = Draw(p, 300, 200, 0, &green);
    Check(bg, { { 10, 100, green }, { 150, 100, kRed } }, "background");
    EXPECT_EQ(bg.At(10, 100).a, 255);
}

TEST(MoviePlayerRender, DegenerateInputDrawsNothingAndSurvives)
{
    ShapeSpec s;
    s.fills.push_back(Solid(255, 0, 0));
    s.paths.push_back(Box(0, 0, 100, 100, 1));
    Matrix squash;
    squash.a = 0, squash.d = 0;
    Player p = Show(s, squash);
    Picture pic = Draw(p, 50, 50, 0);
    EXPECT_EQ(pic.At(25, 25).r, 0);
    // Far beyond any pixel, and huge: nothing to draw, and no overflow on the way.
    for (double scale : { 1.0, 30000.0 }) {
        ShapeSpec curvy = s;
        LineStyle l;
        l.width = 60000;
        curvy.lines.push_back(l);
        curvy.paths[0].line = 1;
        curvy.paths[0].edges[1].curved = true;
        curvy.paths[0].edges[1].cx = 5e6;
        Matrix far;
        far.a = far.d = scale;
        far.tx = far.ty = 2.0e9;
        Player q = Show(curvy, far);
        Draw(q, 50, 50, 0);
        far.tx = far.ty = -2.0e9;
        Player r = Show(curvy, far);
        Draw(r, 50, 50, 0);
    }
    // Zero-sized and inverted viewports, a canvas with no pixels.
    p.SetViewport(PixelRect{ 10, 10, 0, 0 }, ScaleMode::ShowAll);
    Canvas none{};
    p.Render(none);
    Player empty;
    Picture e = Draw(empty, 10, 10, 0);
    EXPECT_EQ(e.At(5, 5).r, 0);
}
