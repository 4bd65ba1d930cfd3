// Timelines, actions and buttons: stop, play and goto; FSCommand from both URL actions;
// buttons following the pointer and running their release actions; sprites with their own frames.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "MoviePlayerTestUtil.h"

using namespace mptest;

namespace {

using Commands = std::vector<std::pair<std::string, std::string>>;

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

ShapeSpec ColoredBox(uint8_t r, uint8_t g, uint8_t b, double x0, double y0, double x1, double y1)
{
    ShapeSpec s;
    s.fills.push_back(Solid(r, g, b));
    s.paths.push_back(Box(x0, y0, x1, y1, 1));
    return s;
}

Player Load(const Bytes& bytes, Commands* log)
{
    Player p;
    if (log)
        p.SetFsCommandHandler([log](const std::string& c, const std::string& a) { log->emplace_back(c, a); });
    EXPECT_TRUE(p.Load(bytes.data(), bytes.size()));
    p.SetViewport(PixelRect{ 0, 0, 100, 100 }, ScaleMode::ShowAll);
    return p;
}

}  // namespace

TEST(MoviePlayerTimeline, FramesAdvanceLoopAndObeyStopPlayGoto)
{
    // Three frames, each showing a box of its own colour at depth 1.
    SwfWriter w(100, 100, 10);
    w.DefineShape(1, ColoredBox(255, 0, 0, 0, 0, 100, 100));
    w.DefineShape(2, ColoredBox(0, 255, 0, 0, 0, 100, 100));
    w.DefineShape(3, ColoredBox(0, 0, 255, 0, 0, 100, 100));
    w.Place(1, 1, Matrix());
    w.ShowFrame();
    w.Remove(1);
    w.Place(1, 2, Matrix());
    w.ShowFrame();
    w.Remove(1);
    w.Place(1, 3, Matrix());
    w.ShowFrame();
    Player p = Load(w.Finish(), nullptr);
    auto color = [&p]() { return Draw(p, 100, 100).At(50, 50); };
    EXPECT_EQ(p.FrameCount(), 3);
    EXPECT_EQ(color().r, 255);
    p.Tick();
    EXPECT_EQ(p.CurrentFrame(), 1);
    EXPECT_EQ(color().g, 255);
    p.Tick();
    EXPECT_EQ(color().b, 255);
    p.Tick();  // loops to the first frame, rebuilding its display list
    EXPECT_EQ(p.CurrentFrame(), 0);
    EXPECT_EQ(color().r, 255);
    EXPECT_EQ(color().b, 0);
    p.Stop();
    EXPECT_TRUE(p.TakeDirty());
    p.Tick();
    EXPECT_EQ(p.CurrentFrame(), 0);
    EXPECT_FALSE(p.TakeDirty());  // a stopped movie has nothing new to show
    p.GotoFrame(2);
    EXPECT_EQ(color().b, 255);
    p.GotoFrame(99);  // beyond the end: the last frame
    EXPECT_EQ(p.CurrentFrame(), 2);
    p.GotoFrame(1);
    EXPECT_EQ(color().g, 255);
    EXPECT_FALSE(p.Playing());
    p.Play();
    p.Tick();
    EXPECT_EQ(p.CurrentFrame(), 2);
}

TEST(MoviePlayerTimeline, FrameActionsStopGotoAndRaiseCommands)
{
    // Frame 1 raises a command by GetURL; frame 2 by Push + GetURL2 and jumps to frame 4, which
    // stops. Frame 3 would raise "skipped".
    SwfWriter w(100, 100, 10);
    w.DoAction(act::GetUrl("FSCommand:weburl", "http://example.test/page"));
    w.ShowFrame();
    w.DoAction(Join({ act::PushString("fscommand:moveweb"), act::PushString("1,2,3,4"), act::GetUrl2(),
                      act::PushString("FSCOMMAND:number"), act::PushNumber(42), act::GetUrl2(),
                      act::GotoFrame(3) }));
    w.ShowFrame();
    w.DoAction(act::GetUrl("FSCommand:skipped", ""));
    w.ShowFrame();
    w.DoAction(Join({ act::Stop(), act::GetUrl("fsCommand:min", ""), act::GetUrl("http://not.a.command/", "_blank") }));
    w.ShowFrame();
    Commands log;
    Player p = Load(w.Finish(), &log);
    ASSERT_EQ(log.size(), 1u);  // the first frame's actions run on load
    EXPECT_EQ(log[0], std::make_pair(std::string("weburl"), std::string("http://example.test/page")));
    p.Tick();
    EXPECT_EQ(p.CurrentFrame(), 3);
    const Commands expect{ { "weburl", "http://example.test/page" }, { "moveweb", "1,2,3,4" },
                           { "number", "42" }, { "min", "" } };
    EXPECT_EQ(log, expect);
    EXPECT_FALSE(p.Playing());
    p.Tick();
    EXPECT_EQ(log.size(), 4u);
}

TEST(MoviePlayerTimeline, ActionsThatLoopForeverAreCutOff)
{
    // Frame 2 jumps to frame 1, whose actions jump to frame 2 again: it must not hang.
    SwfWriter w(100, 100, 10);
    w.DoAction(act::GotoFrame(1));
    w.ShowFrame();
    w.DoAction(act::GotoFrame(0));
    w.ShowFrame();
    Player p = Load(w.Finish(), nullptr);
    p.Tick();
    p.Tick();
    SUCCEED();
}

namespace {

// A movie with one button at (20,20)-(60,60): up red, over green, down blue; its hit area is the
// square. Release raises "clicked", rolling over raises "over".
Bytes ButtonMovie()
{
    SwfWriter w(100, 100, 10);
    w.DefineShape(1, ColoredBox(255, 0, 0, 0, 0, 40, 40));
    w.DefineShape(2, ColoredBox(0, 255, 0, 0, 0, 40, 40));
    w.DefineShape(3, ColoredBox(0, 0, 255, 0, 0, 40, 40));
    std::vector<ButtonRecordSpec> recs(4);
    recs[0].states = kStateUp, recs[0].charId = 1, recs[0].depth = 1;
    recs[1].states = kStateOver, recs[1].charId = 2, recs[1].depth = 2;
    recs[2].states = kStateDown, recs[2].charId = 3, recs[2].depth = 3;
    recs[3].states = kStateHit, recs[3].charId = 1, recs[3].depth = 4;
    std::vector<ButtonActionSpec> acts(2);
    acts[0].conditions = kOverDownToOverUp;
    acts[0].actions = act::GetUrl("FSCommand:clicked", "yes");
    acts[1].conditions = kIdleToOverUp;
    acts[1].actions = act::GetUrl("FSCommand:over", "");
    w.DefineButton2(4, recs, acts);
    w.Place(1, 4, Translate(20, 20));
    w.ShowFrame();
    return w.Finish(true);
}

}  // namespace

TEST(MoviePlayerButtons, StatesFollowThePointerAndReleaseRunsActions)
{
    Commands log;
    Player p = Load(ButtonMovie(), &log);
    auto color = [&p]() { return Draw(p, 100, 100).At(40, 40); };
    EXPECT_EQ(color().r, 255);
    EXPECT_FALSE(p.PointerMove(5, 5));  // outside: not the movie's
    EXPECT_TRUE(p.PointerMove(30, 30));
    EXPECT_EQ(color().g, 255);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].first, "over");
    EXPECT_TRUE(p.PointerDown(30, 30));
    EXPECT_EQ(color().b, 255);
    EXPECT_TRUE(p.PointerUp(30, 30));
    EXPECT_EQ(color().g, 255);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1], std::make_pair(std::string("clicked"), std::string("yes")));
    EXPECT_TRUE(p.PointerMove(31, 31));  // still over: no new roll-over
    EXPECT_EQ(log.size(), 2u);
    p.PointerMove(80, 80);
    EXPECT_EQ(color().r, 255);
}

TEST(MoviePlayerButtons, ReleaseOutsideDoesNotClick)
{
    Commands log;
    Player p = Load(ButtonMovie(), &log);
    p.PointerDown(30, 30);
    EXPECT_TRUE(p.PointerMove(90, 90));  // dragged off while pressed: still tracked
    EXPECT_TRUE(p.PointerUp(90, 90));
    EXPECT_EQ(Draw(p, 100, 100).At(40, 40).r, 255);
    // Pressed outside, released over the button: no click either.
    p.PointerDown(90, 90);
    p.PointerUp(30, 30);
    for (const auto& c : log)
        EXPECT_NE(c.first, "clicked");
    // A press that reaches the button without a move first still works.
    Player q = Load(ButtonMovie(), &log);
    log.clear();
    q.PointerDown(50, 50);
    q.PointerUp(50, 50);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().first, "clicked");
}

TEST(MoviePlayerButtons, HitTestFollowsTheViewportScale)
{
    Commands log;
    Player p = Load(ButtonMovie(), &log);
    // Stage 100x100 in a 200x400 viewport: scale 2, centred vertically (offset 100).
    p.SetViewport(PixelRect{ 0, 0, 200, 400 }, ScaleMode::ShowAll);
    EXPECT_FALSE(p.PointerMove(60, 60));
    EXPECT_TRUE(p.PointerMove(60, 160));
    EXPECT_TRUE(p.PointerDown(118, 218));
    EXPECT_TRUE(p.PointerUp(118, 218));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().first, "clicked");
}

TEST(MoviePlayerTimeline, SpritesPlayTheirOwnFrames)
{
    SwfWriter w(100, 100, 10);
    w.DefineShape(1, ColoredBox(255, 0, 0, 0, 0, 50, 50));
    w.DefineShape(2, ColoredBox(0, 255, 0, 0, 0, 50, 50));
    SwfWriter inner(0, 0, 0);
    inner.Place(1, 1, Matrix());
    inner.ShowFrame();
    inner.Remove(1);
    inner.Place(1, 2, Matrix());
    inner.DoAction(Join({ act::Stop(), act::GetUrl("FSCommand:sprite", "2") }));
    inner.ShowFrame();
    w.DefineSprite(5, inner);
    w.Place(1, 5, Translate(25, 25));
    w.DoAction(act::Stop());  // the root stops; the sprite plays on
    w.ShowFrame();
    Commands log;
    Player p = Load(w.Finish(), &log);
    EXPECT_EQ(Draw(p, 100, 100).At(50, 50).r, 255);
    EXPECT_EQ(Draw(p, 100, 100).At(10, 10).r, 0);
    p.Tick();
    EXPECT_EQ(Draw(p, 100, 100).At(50, 50).g, 255);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].first, "sprite");
    p.Tick();  // the sprite stopped itself on its last frame
    EXPECT_EQ(Draw(p, 100, 100).At(50, 50).g, 255);
    EXPECT_EQ(log.size(), 1u);
}

TEST(MoviePlayerTimeline, SelfNestingSpritesAreBounded)
{
    // Sprite 5 places sprite 6 which places 5 again: creation stops at the nesting limit.
    SwfWriter w(100, 100, 10);
    SwfWriter a(0, 0, 0);
    a.Place(1, 6, Matrix());
    a.Place(2, 6, Matrix());
    a.ShowFrame();
    w.DefineSprite(5, a);
    SwfWriter b(0, 0, 0);
    b.Place(1, 5, Matrix());
    b.Place(2, 5, Matrix());
    b.ShowFrame();
    w.DefineSprite(6, b);
    w.Place(1, 5, Matrix());
    w.ShowFrame();
    Player p = Load(w.Finish(), nullptr);
    p.Tick();
    Draw(p, 100, 100);
    SUCCEED();
}

TEST(MoviePlayerTimeline, HandlerMayLoadAnotherMovieFromACommand)
{
    SwfWriter w(100, 100, 10);
    w.DoAction(Join({ act::GetUrl("FSCommand:reload", ""), act::GetUrl("FSCommand:after", "") }));
    w.ShowFrame();
    w.ShowFrame();
    Bytes bytes = w.Finish();
    Player p;
    int calls = 0;
    p.SetFsCommandHandler([&](const std::string& c, const std::string&) {
        ++calls;
        if (c == "reload" && calls < 5)
            p.Load(bytes.data(), bytes.size());
    });
    ASSERT_TRUE(p.Load(bytes.data(), bytes.size()));
    EXPECT_TRUE(p.Loaded());
    EXPECT_GE(calls, 2);
}

TEST(MoviePlayerTimeline, HandlerSteppingTheMovieDoesNotRerunActions)
{
    // The handler steps the movie from inside the command, as a modal loop with a timer would.
    SwfWriter w(100, 100, 10);
    w.DoAction(act::GetUrl("FSCommand:first", ""));
    w.ShowFrame();
    w.DoAction(act::GetUrl("FSCommand:second", ""));
    w.ShowFrame();
    w.ShowFrame();
    Bytes bytes = w.Finish();
    Player p;
    Commands log;
    p.SetFsCommandHandler([&](const std::string& c, const std::string& a) {
        log.emplace_back(c, a);
        if (log.size() < 50)
            p.Tick();
    });
    ASSERT_TRUE(p.Load(bytes.data(), bytes.size()));
    // first, then the nested step enters frame 2: second; its nested step enters frame 3.
    const Commands expect{ { "first", "" }, { "second", "" } };
    EXPECT_EQ(log, expect);
    EXPECT_EQ(p.CurrentFrame(), 2);
}
