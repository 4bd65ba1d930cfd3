// Fuzz target of the movie player: any bytes are loaded; a movie that loads is played for a few
// frames, clicked and drawn, so the decoders, the timeline and the rasteriser all see the input.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "standins/movieplayer/core/Player.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    movieplayer::Player player;
    int commands = 0;
    player.SetFsCommandHandler([&commands](const std::string&, const std::string&) { ++commands; });
    if (!player.Load(data, size))
        return 0;
    const int w = 64, h = 48;
    std::vector<uint8_t> pixels(size_t(w) * h * 4, 0x80);
    movieplayer::Canvas canvas{ pixels.data(), w, h, w * 4 };
    player.SetViewport(movieplayer::PixelRect{ 0, 0, w, h }, movieplayer::ScaleMode::ShowAll);
    for (int i = 0; i < 4; ++i) {
        player.Tick();
        player.PointerMove(8.0 * i + 4, 6.0 * i + 3);
        player.PointerDown(8.0 * i + 4, 6.0 * i + 3);
        player.PointerUp(8.0 * i + 4, 6.0 * i + 3);
        const movieplayer::Rgba black{ 0, 0, 0, 255 };
        player.Render(canvas, i % 2 ? &black : nullptr);
    }
    return 0;
}
