// Frame cost of the stand-in movie player for a login-sized movie: 1000x695 stage with a
// full-stage bitmap, a dozen shapes and buttons, one timeline step and two draws a frame (over
// black and over white, as the layered host draws). Natively a Google Benchmark of the core;
// built for Windows, a whole-frame timing under Wine through the control and the launcher's site.
#ifndef _WIN32
#include <benchmark/benchmark.h>
#endif

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

#ifndef _WIN32

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

#endif  // !_WIN32

}  // namespace

#ifdef _WIN32
#include <windows.h>
#include <ole2.h>

#include <chrono>
#include <cstdio>

#include "app/LauncherSettings.h"
#include "flashhost/FlashControl.h"
#include "flashhost/OleBaseDlg.h"

// The control site the launcher uses, without the launcher's own movie loading.
class BenchSite : public TOleBaseDlg<IShockwaveFlash> {
};

int main()
{
    ::OleInitialize(nullptr);
    wchar_t exe[MAX_PATH];
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dir(exe);
    dir = dir.substr(0, dir.find_last_of(L'\\') + 1);
    HMODULE dll = ::LoadLibraryW((dir + L"MoviePlayer.dll").c_str());
    using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    auto get = dll ? reinterpret_cast<GetClassObjectFn>(::GetProcAddress(dll, "DllGetClassObject")) : nullptr;
    IClassFactory* factory = nullptr;
    DWORD cookie = 0;
    if (!get || FAILED(get(CLSID_ShockwaveFlash, IID_IClassFactory, reinterpret_cast<void**>(&factory))) ||
        FAILED(::CoRegisterClassObject(CLSID_ShockwaveFlash, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                       &cookie))) {
        std::printf("MoviePlayer.dll not available\n");
        return 1;
    }
    wchar_t tmp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, tmp);
    std::wstring path = std::wstring(tmp) + L"movieplayer-bench.swf";
    std::vector<uint8_t> movie = LoginSizedMovie();
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, movie.data(), static_cast<DWORD>(movie.size()), &written, nullptr);
    ::CloseHandle(h);

    g_nWindowWidth = kWidth;
    g_nWindowHeight = kHeight;
    HWND host = ::CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr,
                                  nullptr, nullptr, nullptr);
    int status = 1;
    {
        BenchSite site;
        if (site.CreateControl(host, CLSID_ShockwaveFlash, WS_EX_LAYERED, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX) &&
            SUCCEEDED(FlashLoadMovie(site.m_pControl, 0, path.c_str())) && SUCCEEDED(FlashPlay(site.m_pControl))) {
            const int frames = 120;
            site.DrawControl(nullptr, nullptr, FALSE);  // buffers made outside the timing
            auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < frames; ++i)
                site.DrawControl(nullptr, nullptr, FALSE);
            double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::printf("Whole layered frame under Wine, %dx%d (two draws, alpha, present): %.1f ms, %.0f frames/s\n",
                        kWidth, kHeight, seconds * 1000 / frames, frames / seconds);
            // The control's share: the two transparent draws alone.
            RECT rc = { 0, 0, kWidth, kHeight };
            IViewObject* view = site.m_pViewObjectEx;
            start = std::chrono::steady_clock::now();
            for (int i = 0; i < frames; ++i) {
                ::OleDraw(view, DVASPECT_TRANSPARENT, site.m_hdcBlack, &rc);
                ::OleDraw(view, DVASPECT_TRANSPARENT, site.m_hdcWhite, &rc);
            }
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::printf("  of which the control's two draws: %.1f ms\n", seconds * 1000 / frames);
            status = 0;
        } else {
            std::printf("the control could not be created or load the movie\n");
        }
    }
    ::DestroyWindow(host);
    ::DeleteFileW(path.c_str());
    ::CoRevokeClassObject(cookie);
    ::OleUninitialize();
    return status;
}
#endif
