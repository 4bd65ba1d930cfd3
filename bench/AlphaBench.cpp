// The per-pixel cost of a layered frame: alpha reconstruction over a 1000 x 695 frame, beside
// the memory-bandwidth floor (copying the same two buffers) and a plain per-pixel loop.
// Prints each figure and the ratios to the floor.
#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "flashhost/LayeredFrame.h"

namespace {

constexpr size_t kPixels = 1000 * 695;

struct Frame {
    std::vector<uint8_t> black, white, copyA, copyB;
    Frame() : black(kPixels * 4), white(kPixels * 4), copyA(kPixels * 4), copyB(kPixels * 4)
    {
        for (size_t i = 0; i < black.size(); ++i) {
            black[i] = static_cast<uint8_t>(i * 7);
            white[i] = static_cast<uint8_t>(255 - (i % 13));
        }
    }
};

Frame& TheFrame()
{
    static Frame f;
    return f;
}

// The obvious loop: one pixel at a time, each channel on its own, a division per pixel.
void PlainLoop(uint8_t* black, const uint8_t* white, size_t pixels)
{
    for (size_t i = 0; i < pixels; ++i) {
        int d = 0;
        for (int ch = 0; ch < 3; ++ch)
            d += (white[i * 4 + ch] - black[i * 4 + ch] + 256) % 256;
        black[i * 4 + 3] = static_cast<uint8_t>(255 - d / 3);
    }
}

void BM_CopyFloor(benchmark::State& state)
{
    Frame& f = TheFrame();
    for (auto _ : state) {
        std::memcpy(f.copyA.data(), f.black.data(), f.black.size());
        std::memcpy(f.copyB.data(), f.white.data(), f.white.size());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyFloor);

void BM_ReconstructAlpha(benchmark::State& state)
{
    Frame& f = TheFrame();
    for (auto _ : state) {
        tavik::ReconstructAlpha(f.black.data(), f.white.data(), kPixels);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ReconstructAlpha);

void BM_PlainLoop(benchmark::State& state)
{
    Frame& f = TheFrame();
    for (auto _ : state) {
        PlainLoop(f.black.data(), f.white.data(), kPixels);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlainLoop);

// Keeps each benchmark's time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            times[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto floor = reporter.times.find("BM_CopyFloor");
    if (floor != reporter.times.end() && floor->second > 0) {
        for (const char* name : { "BM_ReconstructAlpha", "BM_PlainLoop" }) {
            auto it = reporter.times.find(name);
            if (it != reporter.times.end())
                std::printf("%-22s %.2fx the copy floor\n", name, it->second / floor->second);
        }
    }
    benchmark::Shutdown();
    return 0;
}
