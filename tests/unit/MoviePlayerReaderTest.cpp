// Reading movie files: header, both tag-length forms, compression, and files that lie or end early.
#include <gtest/gtest.h>

#include <zlib.h>

#include "MoviePlayerTestUtil.h"
#include "standins/movieplayer/core/BitReader.h"
#include "standins/movieplayer/core/SwfReader.h"

using namespace mptest;

namespace {

// A hand-made file: 550x400 stage, 24.5 fps, the given tags, then End.
std::vector<uint8_t> File(const std::vector<uint8_t>& tags, char sig = 'F', int frames = 1)
{
    // RECT with 15-bit fields: 0, 11000, 0, 8000 twips.
    BitWriter r;
    r.Rect(0, 11000, 0, 8000);
    std::vector<uint8_t> body = r.Data();
    body.insert(body.end(), { 0x80, 0x18, static_cast<uint8_t>(frames), 0 });  // 24.5 fps
    body.insert(body.end(), tags.begin(), tags.end());
    body.insert(body.end(), { 0, 0 });
    uint32_t len = static_cast<uint32_t>(body.size() + 8);
    std::vector<uint8_t> out{ static_cast<uint8_t>(sig), 'W', 'S', 8, static_cast<uint8_t>(len),
                              static_cast<uint8_t>(len >> 8), 0, 0 };
    if (sig == 'C') {
        uLongf n = compressBound(static_cast<uLong>(body.size()));
        std::vector<uint8_t> z(n);
        compress(z.data(), &n, body.data(), static_cast<uLong>(body.size()));
        out.insert(out.end(), z.begin(), z.begin() + n);
    } else {
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

// SetBackgroundColor in the short form and again in the long form.
const std::vector<uint8_t> kShortBackground{ 0x43, 0x02, 0x11, 0x22, 0x33 };
const std::vector<uint8_t> kLongBackground{ 0x7F, 0x02, 0x03, 0x00, 0x00, 0x00, 0x44, 0x55, 0x66 };

}  // namespace

TEST(MoviePlayerReader, HeaderFields)
{
    Movie m;
    ASSERT_TRUE(ReadMovie(File({ 0x40, 0x00 }, 'F', 3).data(), File({ 0x40, 0x00 }, 'F', 3).size(), m));
    EXPECT_EQ(m.version, 8);
    EXPECT_EQ(m.stage.xMax, 11000);
    EXPECT_EQ(m.stage.yMax, 8000);
    EXPECT_DOUBLE_EQ(m.frameRate, 24.5);
    EXPECT_EQ(m.headerFrameCount, 3);
    EXPECT_EQ(m.root.frames.size(), 1u);  // one ShowFrame (0x40 0x00)
}

TEST(MoviePlayerReader, BothTagLengthFormsAndCompression)
{
    struct Case { const char* name; std::vector<uint8_t> tag; char sig; Rgba expect; };
    const Case cases[] = {
        { "short", kShortBackground, 'F', { 0x11, 0x22, 0x33, 255 } },
        { "long", kLongBackground, 'F', { 0x44, 0x55, 0x66, 255 } },
        { "short, CWS", kShortBackground, 'C', { 0x11, 0x22, 0x33, 255 } },
        { "long, CWS", kLongBackground, 'C', { 0x44, 0x55, 0x66, 255 } },
    };
    for (const Case& c : cases) {
        auto bytes = File(c.tag, c.sig);
        Movie m;
        ASSERT_TRUE(ReadMovie(bytes.data(), bytes.size(), m)) << c.name;
        EXPECT_TRUE(m.hasBackground) << c.name;
        EXPECT_EQ(m.background.r, c.expect.r) << c.name;
        EXPECT_EQ(m.background.b, c.expect.b) << c.name;
    }
}

TEST(MoviePlayerReader, UnknownTagsAreSkipped)
{
    // Tag 777 with 4 bytes of content, in the long form, then the background.
    std::vector<uint8_t> tags{ 0x7F, 0xC2, 0x04, 0, 0, 0, 1, 2, 3, 4 };
    tags.insert(tags.end(), kShortBackground.begin(), kShortBackground.end());
    auto bytes = File(tags);
    Movie m;
    ASSERT_TRUE(ReadMovie(bytes.data(), bytes.size(), m));
    EXPECT_EQ(m.background.g, 0x22);
}

TEST(MoviePlayerReader, BrokenFilesFailToLoad)
{
    auto good = File(kLongBackground);
    auto goodZ = File(kLongBackground, 'C');
    struct Case { const char* name; std::vector<uint8_t> bytes; };
    std::vector<Case> cases;
    cases.push_back({ "empty", {} });
    cases.push_back({ "bad signature", [&] { auto b = good; b[0] = 'X'; return b; }() });
    cases.push_back({ "header only", std::vector<uint8_t>(good.begin(), good.begin() + 8) });
    for (size_t cut : { 9, 14, 20, 25 })
        cases.push_back({ "truncated", std::vector<uint8_t>(good.begin(), good.begin() + cut) });
    cases.push_back({ "file length larger than file", [&] { auto b = good; b[4] += 10; return b; }() });
    cases.push_back({ "file length below header", [&] { auto b = good; b[4] = 4; b[5] = 0; return b; }() });
    cases.push_back({ "huge file length", [&] { auto b = good; b[7] = 0x7F; return b; }() });
    cases.push_back({ "compressed body cut", std::vector<uint8_t>(goodZ.begin(), goodZ.end() - 6) });
    cases.push_back({ "compressed body garbage", [&] { auto b = goodZ; b[10] ^= 0xFF; b[11] ^= 0x55; return b; }() });
    // A tag whose long length runs past the end of the file.
    cases.push_back({ "tag length lies", File({ 0x7F, 0x02, 0xFF, 0x00, 0x00, 0x00, 1, 2, 3 }) });
    // A short tag claiming 9 bytes with only 3 left.
    cases.push_back({ "short tag length lies", File({ 0x49, 0x02, 1, 2, 3 }) });
    // Zero-sized stage.
    cases.push_back({ "empty stage", [&] {
        std::vector<uint8_t> b{ 'F', 'W', 'S', 8, 15, 0, 0, 0, 0x00, 0, 12, 1, 0, 0, 0 };
        return b; }() });
    for (const Case& c : cases) {
        Movie m;
        EXPECT_FALSE(ReadMovie(c.bytes.data(), c.bytes.size(), m)) << c.name;
        EXPECT_TRUE(m.characters.empty()) << c.name;
    }
    Movie m;
    EXPECT_FALSE(ReadMovie(nullptr, 100, m));
}

TEST(MoviePlayerReader, BitFieldsAndBounds)
{
    // 0b10110 = 5-bit 22 unsigned; as signed 5 bits it is -10.
    const uint8_t bytes[] = { 0xB0, 0x00 };
    BitReader a(bytes, sizeof bytes);
    EXPECT_EQ(a.UB(5), 22u);
    BitReader b(bytes, sizeof bytes);
    EXPECT_EQ(b.SB(5), -10);
    BitReader c(bytes, 1);
    c.UB(8);
    EXPECT_TRUE(c.Ok());
    EXPECT_EQ(c.UB(1), 0u);
    EXPECT_FALSE(c.Ok());  // past the end
    BitReader d(bytes, sizeof bytes);
    d.SB(40);
    EXPECT_FALSE(d.Ok());  // no field is that wide
    const uint8_t noTerminator[] = { 'a', 'b' };
    BitReader e(noTerminator, sizeof noTerminator);
    EXPECT_EQ(e.String(), "");
    EXPECT_FALSE(e.Ok());
}

TEST(MoviePlayerReader, WrittenMovieReadsBack)
{
    SwfWriter w(100, 50, 30);
    ShapeSpec s;
    s.fills.push_back(Solid(255, 0, 0));
    s.paths.push_back(Box(0, 0, 10, 10, 1));
    w.DefineShape(1, s);
    w.Place(1, 1, Matrix());
    w.ShowFrame();
    w.Remove(1);
    w.ShowFrame();
    for (bool z : { false, true }) {
        auto bytes = w.Finish(z);
        Movie m;
        ASSERT_TRUE(ReadMovie(bytes.data(), bytes.size(), m));
        EXPECT_DOUBLE_EQ(m.frameRate, 30);
        ASSERT_EQ(m.root.frames.size(), 2u);
        ASSERT_NE(m.Find(1), nullptr);
        EXPECT_EQ(m.root.frames[1].tags.at(0).remove, true);
    }
}
