// Frame cost of the stand-in movie player for a login-sized movie: 1000x695 stage with a
// full-stage bitmap, a dozen shapes and buttons, one timeline step and two draws a frame (over
// black and over white, as the layered host draws).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "standins/movieplayer/core/Player.h"
#include "tools/moviemaker/SwfWriter.h"

using namespace moviemaker;
using namespace movieplayer;

namespace {

constexpr int kWidth = 1000, kHeight = 695;

ShapeSpec Rounded(double x, double y, double w, double h, Rgba fill, bool stroke)
{
    ShapeSpec s;
    FillStyle f;
    f.color = fill;
    s.fills.push_back(f);
    if (stroke) {
        LineStyle l;
        l.width = 40;
        l.color = Rgba{ 255, 255, 255, 200 };
        s.lines.push_back(l);
    }
    ShapePath p;
    p.fill1 = 1;
    p.line = stroke ? 1 : 0;
    const double r = 10;
    p.startX = (x + r) * 20, p.startY = y * 20;
    auto L = [&](double px, double py) { p.edges.push_back(PathEdge{ false, 0, 0, px * 20, py * 20 }); };
    auto Q = [&](double cx, double cy, double px, double py) {
        p.edges.push_back(PathEdge{ true, cx * 20, cy * 20, px * 20, py * 20 });
    };
    L(x + w - r, y);
    Q(x + w, y, x + w, y + r);
    L(x + w, y + h - r);
    Q(x + w, y + h, x + w - r, y + h);
    L(x + r, y + h);
    Q(x, y + h, x, y + h - r);
    L(x, y + r);
    Q(x, y, x + r, y);
    s.paths.push_back(p);
    return s;
}

std::vector<uint8_t> LoginSizedMovie()
{
    SwfWriter w(kWidth, kHeight, 24);
    std::vector<uint8_t> pixels(size_t(kWidth) * kHeight * 4);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            uint8_t* p = &pixels[(size_t(y) * kWidth + x) * 4];
            p[0] = static_cast<uint8_t>(x / 4), p[1] = static_cast<uint8_t>(y / 3), p[2] = static_cast<uint8_t>(x ^ y);
            p[3] = 255;
        }
    w.DefineBitmap(1, kWidth, kHeight, pixels);
    ShapeSpec back;
    FillStyle bf;
    bf.kind = FillStyle::Bitmap;
    bf.bitmapId = 1;
    bf.matrix.a = bf.matrix.d = 20;
    back.fills.push_back(bf);
    ShapePath bp;
    bp.fill1 = 1;
    for (auto pt : { std::pair<double, double>{ kWidth, 0 }, { kWidth, kHeight }, { 0, kHeight }, { 0, 0 } })
        bp.edges.push_back(PathEdge{ false, 0, 0, pt.first * 20, pt.second * 20 });
    back.paths.push_back(bp);
    w.DefineShape(2, back);
    w.Place(1, 2, Matrix());
    // A dozen panels, fields and decorations, some half transparent, some stroked.
    uint16_t id = 10, depth = 10;
    for (int i = 0; i < 12; ++i) {
        Rgba c{ static_cast<uint8_t>(40 * i), 120, static_cast<uint8_t>(255 - 20 * i), static_cast<uint8_t>(i % 2 ? 160 : 255) };
        w.DefineShape(id, Rounded(50 + (i % 4) * 230, 60 + (i / 4) * 200, 200, 150, c, i % 3 == 0));
        w.Place(depth++, id++, Matrix());
    }
    // Six buttons with their states.
    for (int i = 0; i < 6; ++i) {
        uint16_t up = id++, over = id++;
        w.DefineShape(up, Rounded(0, 0, 120, 40, Rgba{ 30, 90, 200, 255 }, true));
        w.DefineShape(over, Rounded(0, 0, 120, 40, Rgba{ 60, 140, 255, 255 }, true));
        ButtonRecordSpec a, b;
        a.states = kStateUp | kStateHit;
        a.charId = up;
        b.states = kStateOver | kStateDown;
        b.charId = over;
        b.depth = 2;
        ButtonActionSpec click;
        click.conditions = kOverDownToOverUp;
        click.actions = act::GetUrl("FSCommand:weburl", "http://example.test/");
        uint16_t button = id++;
        w.DefineButton2(button, { a, b }, { click });
        Matrix m;
        m.tx = (100 + i * 140) * 20;
        m.ty = 630 * 20;
        w.Place(depth++, button, m);
    }
    // Frames that move one panel, so every frame really changes.
    for (int f = 0; f < 24; ++f) {
        Matrix m;
        m.tx = 5 * 20 * std::sin(f / 4.0);
        w.Move(10, m);
        w.ShowFrame();
    }
    return w.Finish(true);
}

void BM_LoginFrameTwoDraws(benchmark::State& state)
{
    std::vector<uint8_t> movie = LoginSizedMovie();
    Player player;
    if (!player.Load(movie.data(), movie.size())) {
        state.SkipWithError("movie did not load");
        return;
    }
    player.SetViewport(PixelRect{ 0, 0, kWidth, kHeight }, ScaleMode::ShowAll);
    std::vector<uint8_t> black(size_t(kWidth) * kHeight * 4), white(black.size());
    Canvas cb{ black.data(), kWidth, kHeight, kWidth * 4 };
    Canvas cw{ white.data(), kWidth, kHeight, kWidth * 4 };
    for (auto _ : state) {
        player.Tick();
        std::memset(black.data(), 0x00, black.size());
        std::memset(white.data(), 0xFF, white.size());
        player.Render(cb);
        player.Render(cw);
        benchmark::DoNotOptimize(black.data());
        benchmark::DoNotOptimize(white.data());
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LoginFrameTwoDraws)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadLoginMovie(benchmark::State& state)
{
    std::vector<uint8_t> movie = LoginSizedMovie();
    for (auto _ : state) {
        Player player;
        benchmark::DoNotOptimize(player.Load(movie.data(), movie.size()));
    }
}
BENCHMARK(BM_LoadLoginMovie)->Unit(benchmark::kMillisecond);

}  // namespace
