// The movie maker: descriptions become movies the player shows and runs; PNG bitmaps; mistakes
// in a description are reported with their line.
#include <gtest/gtest.h>

#include <map>

#include "MoviePlayerTestUtil.h"
#include "tools/moviemaker/Description.h"
#include "tools/moviemaker/PngReader.h"

using namespace mptest;

namespace {

struct Made {
    bool ok;
    std::string error;
    Bytes movie;
};

Made Make(const std::string& text, const std::map<std::string, std::vector<uint8_t>>& files = {})
{
    Made m;
    auto read = [&files](const std::string& name, std::vector<uint8_t>& bytes) {
        auto it = files.find(name);
        if (it == files.end())
            return false;
        bytes = it->second;
        return true;
    };
    m.ok = BuildMovie(text, read, m.movie, m.error);
    return m;
}

}  // namespace

TEST(MoviePlayerMaker, DescriptionBecomesAPlayableMovie)
{
    // A 2x1 PNG: red, then half-transparent blue; shown 10 stage pixels a texel.
    auto png = Png(2, 1, { 255, 0, 0, 255, 0, 0, 255, 128 }, 1);
    const std::string text = R"(# a login-like movie
movie 100 100 20 compressed
background #102030
bitmap 9 "pic.png"
shape 1
  solid #FF0000
  solid #00FF00
  line 2 #0000FF
  rect 0 0 40 40 fill 1
  rect 10 10 20 20 hole 1   # a hole in the red square
  circle 70 20 10 fill 2
  path line 1 : M 0 90 L 100 90
end
shape 2
  bitmapfill 9 hard scale 10 at 0 50
  rect 0 50 20 10 fill 1
end
shape 3
  solid #FFFF00
  rect 0 0 20 20 fill 1
end
button 4
  state up,over,down,hit 3
  on release fscommand login "user name"
  on press fscommand2 pressed 1
end
sprite 5
  place 1 3 alpha 0.5
  frame
  remove 1
  action stop; fscommand sprite done
  frame
end
place 1 1
place 2 2
place 3 4 at 60 60
place 4 5 at 0 70
action fscommand weburl http://example.test/
frame
action stop
frame
)";
    Made m = Make(text, { { "pic.png", png } });
    ASSERT_TRUE(m.ok) << m.error;
    EXPECT_EQ(m.movie[0], 'C');

    std::vector<std::pair<std::string, std::string>> log;
    Player p;
    p.SetFsCommandHandler([&log](const std::string& c, const std::string& a) { log.emplace_back(c, a); });
    ASSERT_TRUE(p.Load(m.movie.data(), m.movie.size()));
    EXPECT_EQ(p.GetMovie()->background.b, 0x30);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].first, "weburl");

    Picture pic = Draw(p, 100, 100);
    struct Probe { int x, y; Rgba c; };
    const Probe probes[] = {
        { 5, 5, { 255, 0, 0, 255 } },      // the red square
        { 20, 20, { 0, 0, 0, 0 } },        // its hole
        { 70, 20, { 0, 255, 0, 255 } },    // the circle
        { 78, 12, { 0, 0, 0, 0 } },        // outside the circle's curve, inside its box
        { 50, 90, { 0, 0, 255, 255 } },    // the stroke
        { 5, 55, { 255, 0, 0, 255 } },     // bitmap: first texel
        { 15, 55, { 0, 0, 128, 128 } },    // bitmap: half-transparent blue, premultiplied over black
        { 70, 70, { 255, 255, 0, 255 } },  // the button
        { 10, 75, { 128, 128, 0, 128 } },  // the sprite's first frame, half alpha
    };
    for (const Probe& pr : probes)
        EXPECT_TRUE(Near(pic.At(pr.x, pr.y), pr.c, 6)) << pr.x << "," << pr.y << ": " << pic.At(pr.x, pr.y);

    p.Tick();
    EXPECT_FALSE(p.Playing());
    EXPECT_EQ(Draw(p, 100, 100).At(10, 75).r, 0);  // the sprite removed its box
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1], std::make_pair(std::string("sprite"), std::string("done")));

    p.PointerMove(70, 70);
    p.PointerDown(70, 70);
    p.PointerUp(70, 70);
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[2], std::make_pair(std::string("pressed"), std::string("1")));
    EXPECT_EQ(log[3], std::make_pair(std::string("login"), std::string("user name")));
}

TEST(MoviePlayerMaker, MistakesAreReportedWithTheirLine)
{
    struct Case { const char* text; const char* expect; };
    const Case cases[] = {
        { "", "no movie command" },
        { "shape 1\nend", "line 1: the description must start with 'movie'" },
        { "movie 100 100 12\nplace 1 7", "line 2: id 7 is not defined" },
        { "movie 100 100 12\nshape 1\nsolid #FF0000\nrect 0 0 5 5 fill 2\nend", "line 4:" },
        { "movie 100 100 12\nshape 1\nsolid red\nend", "line 3: colour" },
        { "movie 100 100 12\nshape 1\nend\nshape 1\nend", "line 4: id 1 is already defined" },
        { "movie 100 100 12\nshape 1\nsolid #FF0000", "block not closed" },
        { "movie 100 100 12\nbitmap 2 missing.png", "line 2: cannot read missing.png" },
        { "movie 100 100 12\nbitmap 2 bad.png", "line 2: bad.png: not a PNG file" },
        { "movie 100 100 12\naction jump 3", "line 2: unknown or incomplete action 'jump'" },
        { "movie 0 100 12", "line 1: stage size" },
        { "movie 100 100 12\nsprite 3\nbackground #000000\nend", "line 3: 'background' cannot be used inside a sprite" },
        { "movie 100 100 12\nplace 1", "line 2: 'place' needs more values" },
        { "movie 100 100 12\nshape 1\nsolid #FF0000\npath fill 1 : M 0 0 L 5", "line 4: path command 'L' needs more values" },
        { "movie 100 100 12\naction fscommand \"unterminated", "line 2: unterminated quotes" },
        { "movie 100 100 12\nbutton 2\nend", "line 3: a button needs at least one state" },
    };
    for (const Case& c : cases) {
        Made m = Make(c.text, { { "bad.png", { 1, 2, 3 } } });
        EXPECT_FALSE(m.ok) << c.text;
        EXPECT_NE(m.error.find(c.expect), std::string::npos) << c.text << " gave: " << m.error;
        EXPECT_TRUE(m.movie.empty());
    }
}

TEST(MoviePlayerMaker, PngReaderRefusesBrokenImages)
{
    auto good = Png(2, 2, std::vector<uint8_t>(16, 200));
    Image img;
    std::string why;
    ASSERT_TRUE(ReadPng(good, img, why)) << why;
    EXPECT_EQ(img.width, 2);
    EXPECT_EQ(img.rgba[5], 200);
    std::vector<std::vector<uint8_t>> bad;
    bad.push_back({});
    bad.push_back(std::vector<uint8_t>(good.begin(), good.begin() + 20));  // cut inside IHDR
    bad.push_back(std::vector<uint8_t>(good.begin(), good.end() - 12));    // no IEND
    auto lying = good;
    lying[8 + 3] = 0xF0;  // IHDR claims a huge length
    bad.push_back(lying);
    auto wide = good;
    wide[16] = 0x7F;  // width beyond the limit
    bad.push_back(wide);
    auto damaged = good;
    damaged[45] ^= 0xFF;  // inside the image data
    bad.push_back(damaged);
    for (size_t i = 0; i < bad.size(); ++i)
        EXPECT_FALSE(ReadPng(bad[i], img, why)) << i;
}
