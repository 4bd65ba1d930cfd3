// Conformance with an independent player: each movie is rendered by the Ruffle web player (in
// headless Chromium, fed from a loopback server) and by our core at the same stage size, opaque;
// the pictures must agree pixel by pixel up to anti-aliasing, and the FSCommands raised by the
// same clicks must be the same.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "MoviePlayerTestUtil.h"
#include "tools/moviemaker/Description.h"
#include "tools/moviemaker/PngReader.h"

using namespace mptest;

namespace {

struct Click {
    int x, y;
};

struct ConformanceMovie {
    const char* name;
    const char* description;
    std::vector<Click> clicks;
};

// Movies that together cover the subset: shapes of each tag version, curves, holes, strokes,
// bitmaps, transparency, matrices, colour transforms, buttons, sprites, frame actions, both
// FSCommand encodings and compression.
const std::vector<ConformanceMovie>& Movies()
{
    static const std::vector<ConformanceMovie> movies = {
        { "shapes", R"(movie 160 120 12
background #FFFFFF
shape 1 v1
  solid #CC2222
  rect 10 10 60 40 fill 1
  poly 90 10 150 10 120 60 fill 1
end
shape 2 v2
  solid #2266CC
  rect 10 70 140 40 fill 1
end
place 1 1
place 2 2
)", {} },
        { "curves", R"(movie 160 120 12
background #EEEEEE
shape 1
  solid #008844
  circle 45 60 35 fill 1
  path fill 1 : M 90 100 Q 120 0 150 100 L 90 100
end
place 1 1
)", {} },
        { "holes", R"(movie 160 120 12
background #FFFFFF
shape 1
  solid #552288
  rect 10 10 80 100 fill 1
  rect 30 30 40 60 hole 1
  circle 125 60 30 fill 1
  circle 125 60 12 hole 1
end
place 1 1
)", {} },
        { "strokes", R"(movie 160 120 12
background #FFFFFF
shape 1
  solid #FFCC00
  line 6 #000080
  line 1 #800000
  rect 20 20 50 40 fill 1 line 1
  path line 2 : M 90 20 L 150 60 Q 120 110 90 100
end
place 1 1
)", {} },
        { "bitmap", R"(movie 160 120 12
background #FFFFFF
bitmap 5 checker.png
shape 1
  bitmapfill 5 hard scale 10 at 20 20
  rect 20 20 80 80 fill 1
end
place 1 1
)", {} },
        { "transparency", R"(movie 160 120 12
background #FFFFFF
shape 1
  solid #FF000080
  rect 10 10 90 70 fill 1
end
shape 2
  solid #0000FF
  rect 60 40 90 70 fill 1
end
place 1 2
place 2 1
place 3 2 at -50 -30 alpha 0.5
)", {} },
        { "matrices", R"(movie 160 120 12
background #FFFFFF
shape 1
  solid #117711
  rect -15 -10 30 20 fill 1
end
place 1 1 at 40 30 scale 2 1
place 2 1 at 110 40 rotate 45
place 3 1 at 80 90 scale 1.5 rotate -30
)", {} },
        { "colortransform", R"(movie 160 120 12
background #FFFFFF
shape 1
  solid #808080
  rect 0 0 60 50 fill 1
end
place 1 1 at 10 10 color 0.5 1 1 add 0 0 100
place 2 1 at 90 60 color 1 0.25 0.25 add 60 0 0
)", {} },
        { "button", R"(movie 160 120 12
background #FFFFFF
shape 1
  solid #3355AA
  rect 0 0 60 40 fill 1
end
shape 2
  solid #66AAFF
  rect 0 0 60 40 fill 1
end
button 3
  state up,hit 1
  state over,down 2
  on release fscommand login "user 1"
end
place 1 3 at 50 40
action stop
)", { { 80, 60 } } },
        { "sprite", R"(movie 160 120 12
background #FFFFFF
shape 1
  solid #AA3300
  rect 0 0 40 40 fill 1
end
shape 2
  solid #00AA33
  circle 20 20 20 fill 1
end
sprite 3
  place 1 1
  frame
  remove 1
  place 1 2
  action stop
  frame
end
place 1 3 at 20 20
place 2 3 at 90 50 scale 1.5
)", {} },
        { "frameactions", R"(movie 160 120 12
background #FFFFFF
shape 1
  solid #FF0000
  rect 20 20 120 80 fill 1
end
shape 2
  solid #00C000
  rect 20 20 120 80 fill 1
end
action goto 3
frame
place 1 1
frame
place 1 2
action stop; fscommand reached 3
frame
)", {} },
        { "fscommands", R"(movie 160 120 12
background #FFFFFF
shape 1
  solid #333333
  rect 0 0 50 30 fill 1
end
button 2
  state up,over,down,hit 1
  on release fscommand2 moveweb "10,20,30,40"
end
place 1 2 at 60 50
action fscommand weburl http://example.test/page; fscommand2 min ""; stop
)", { { 85, 65 } } },
        { "compressed", R"(movie 160 120 12 compressed
background #223344
shape 1
  solid #FFEEDD
  line 2 #FF8800
  circle 80 60 40 fill 1 line 1
  rect 60 40 40 40 hole 1
end
place 1 1
)", {} },
    };
    return movies;
}

std::vector<uint8_t> CheckerPng()
{
    std::vector<uint8_t> rgba;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            bool on = (x + y) % 2 == 0;
            uint8_t px[4] = { static_cast<uint8_t>(on ? 230 : 20), static_cast<uint8_t>(x * 30),
                              static_cast<uint8_t>(on ? 40 : 200), 255 };
            rgba.insert(rgba.end(), px, px + 4);
        }
    return Png(8, 8, rgba);
}

std::string ReadText(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
}

}  // namespace

TEST(MoviePlayerConformance, AgreesWithRuffle)
{
    char tmpl[] = "/tmp/movieplayer-conformance-XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    const std::string dir = tmpl;
    const std::vector<uint8_t> checker = CheckerPng();
    auto readFile = [&checker](const std::string& name, std::vector<uint8_t>& bytes) {
        if (name != "checker.png")
            return false;
        bytes = checker;
        return true;
    };

    std::string manifest, clicks;
    std::vector<std::vector<uint8_t>> movies;
    for (const ConformanceMovie& m : Movies()) {
        std::vector<uint8_t> bytes;
        std::string error;
        ASSERT_TRUE(BuildMovie(m.description, readFile, bytes, error)) << m.name << ": " << error;
        ASSERT_TRUE(WriteFile(dir + "/" + m.name + ".swf", bytes));
        movies.push_back(bytes);
        manifest += std::string(m.name) + " 160 120\n";
        for (const Click& c : m.clicks)
            clicks += "click " + std::string(m.name) + " " + std::to_string(c.x) + " " + std::to_string(c.y) + "\n";
    }
    ASSERT_TRUE(WriteFile(dir + "/manifest.txt", std::vector<uint8_t>(manifest.begin(), manifest.end())));
    {
        std::ofstream f(dir + "/manifest.txt", std::ios::app);
        f << clicks;
    }
    const std::string command = "node " MOVIEPLAYER_CONFORMANCE_DIR "/ruffle-render.mjs " + dir + " > " + dir +
                                "/ruffle.log 2>&1";
    int rc = std::system(command.c_str());
    ASSERT_EQ(rc, 0) << "Ruffle could not render the movies (tools/deps.sh installs chromium and the npm "
                        "packages):\n" << ReadText(dir + "/ruffle.log");

    size_t index = 0;
    for (const ConformanceMovie& m : Movies()) {
        SCOPED_TRACE(m.name);
        const std::vector<uint8_t>& bytes = movies[index++];
        // Ours: the same stage size, opaque over the movie's background, the same clicks.
        std::string ours;
        Player player;
        player.SetFsCommandHandler([&ours](const std::string& c, const std::string& a) { ours += c + "\t" + a + "\n"; });
        ASSERT_TRUE(player.Load(bytes.data(), bytes.size()));
        player.SetViewport(PixelRect{ 0, 0, 160, 120 }, ScaleMode::ShowAll);
        for (int i = 0; i < 20; ++i)
            player.Tick();
        for (const Click& c : m.clicks) {
            player.PointerMove(c.x, c.y);
            player.PointerDown(c.x, c.y);
            player.PointerUp(c.x, c.y);
        }
        for (int i = 0; i < 5; ++i)
            player.Tick();
        Picture pic(160, 120);
        Canvas canvas = pic.AsCanvas();
        Rgba background = player.GetMovie()->background;
        player.Render(canvas, &background);

        EXPECT_EQ(ours, ReadText(dir + "/" + m.name + ".ruffle.txt"));

        std::vector<uint8_t> png;
        std::string file = ReadText(dir + "/" + m.name + ".ruffle.png");
        png.assign(file.begin(), file.end());
        Image theirs;
        std::string why;
        ASSERT_TRUE(ReadPng(png, theirs, why)) << why;
        ASSERT_EQ(theirs.width, 160);
        ASSERT_EQ(theirs.height, 120);
        // Anti-aliasing differs along edges: a pixel counts as different when a channel is off
        // by more than a quarter, and only a thin share of the picture may be.
        int different = 0;
        double total = 0;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 160; ++x) {
                Rgba a = pic.At(x, y);
                const uint8_t* b = &theirs.rgba[(size_t(y) * 160 + x) * 4];
                int d = std::max({ std::abs(a.r - b[0]), std::abs(a.g - b[1]), std::abs(a.b - b[2]) });
                total += d;
                if (d > 64)
                    ++different;
            }
        const double share = different / (160.0 * 120.0), mean = total / (160.0 * 120.0);
        EXPECT_LE(share, 0.01) << "different pixels: " << different;
        EXPECT_LE(mean, 2.0);
        std::printf("  %-16s different %5.2f%%  mean difference %.2f\n", m.name, share * 100, mean);
    }
    std::system(("rm -rf " + dir).c_str());
}
