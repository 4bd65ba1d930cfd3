// The page view's HTML reader: structure, text, links, images, background, scripts, charsets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "standins/pageview/core/HtmlReader.h"

using namespace pageview;

namespace {

// The text of a block with breaks as '|' and images as '#'.
std::string BlockText(const Block& block)
{
    std::string out;
    for (const Inline& item : block.items) {
        if (item.kind == Inline::Kind::Break)
            out += '|';
        else if (item.kind == Inline::Kind::Image)
            out += '#';
        else
            out += item.text;
    }
    return out;
}

std::vector<std::string> Blocks(const HtmlDocument& doc)
{
    std::vector<std::string> out;
    for (const Block& block : doc.blocks)
        out.push_back((block.heading ? "h" + std::to_string(block.heading) + ":" : "") + BlockText(block));
    return out;
}

}  // namespace

TEST(HtmlReader, ReadsTitleHeadingsParagraphsAndBreaks)
{
    HtmlDocument doc = ReadHtml(
        "<!DOCTYPE html><html><head><title>  Demo \n Page </title></head>\n"
        "<body><h1>Welcome</h1>\n<p>First   line<br>second\tline</p><P>Two</P>tail<h3>Small</h3></body></html>");
    EXPECT_EQ(doc.title, "Demo Page");
    const std::vector<std::string> expected = { "h1:Welcome", "First line|second line", "Two", "tail", "h3:Small" };
    EXPECT_EQ(Blocks(doc), expected);
}

TEST(HtmlReader, CollapsesWhitespaceAndDecodesEntities)
{
    struct Case { const char* html; const char* text; };
    const Case cases[] = {
        { "<p>  a \n\n b  </p>", "a b" },
        { "<p>&lt;b&gt; &amp; &quot;q&quot; &apos;</p>", "<b> & \"q\" '" },
        { "<p>&#65;&#x42;&#X43;&#68</p>", "ABCD" },
        { "<p>&unknown; &amp &; &#; &#xZZ;</p>", "&unknown; &amp &; &#; &#xZZ;" },
        { "<p>&#0;&#xD800;&#99999999999;</p>", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" },
        { "<p>a&nbsp;b</p>", "a\xC2\xA0" "b" },
        { "<p>x < y and 3<4</p>", "x < y and 3<4" },
        { "<p>one<!-- hidden <p>two</p> -->three</p>", "onethree" },
        { "<p>a<br>  b</p>", "a|b" },
        { "<p>a <b>bold</b> c</p>", "a bold c" },
    };
    for (const Case& c : cases) {
        HtmlDocument doc = ReadHtml(c.html);
        ASSERT_EQ(doc.blocks.size(), 1u) << c.html;
        EXPECT_EQ(BlockText(doc.blocks[0]), c.text) << c.html;
    }
}

TEST(HtmlReader, EntitiesInAnsiPagesStayInTheirCharset)
{
    HtmlDocument doc = ReadHtml("<meta charset=gbk><p>&#20013;&nbsp;&amp;</p>");
    EXPECT_EQ(doc.charset, Charset::Ansi);
    ASSERT_EQ(doc.blocks.size(), 1u);
    EXPECT_EQ(BlockText(doc.blocks[0]), "? &");
}

TEST(HtmlReader, ReadsLinksWithTargetsAndTheirText)
{
    HtmlDocument doc = ReadHtml(
        "<p>Go <a href=\"game.html?wd=1&amp;x=2\" target=\"_blank\">play</a> or <a href='news.html'>read <b>news</b></a>"
        " <a name=top>anchor</a> <a href=help.html TARGET=_self>help</a></p>");
    ASSERT_EQ(doc.links.size(), 3u);
    EXPECT_EQ(doc.links[0].href, "game.html?wd=1&x=2");
    EXPECT_EQ(doc.links[0].target, "_blank");
    EXPECT_EQ(doc.links[1].href, "news.html");
    EXPECT_EQ(doc.links[1].target, "");
    EXPECT_EQ(doc.links[2].href, "help.html");
    EXPECT_EQ(doc.links[2].target, "_self");

    ASSERT_EQ(doc.blocks.size(), 1u);
    std::vector<std::pair<std::string, int>> linked;
    for (const Inline& item : doc.blocks[0].items)
        linked.emplace_back(item.text, item.link);
    const std::vector<std::pair<std::string, int>> expected = {
        { "Go ", -1 }, { "play", 0 }, { " or ", -1 }, { "read ", 1 }, { "news", 1 }, { " anchor ", -1 }, { "help", 2 },
    };
    EXPECT_EQ(linked, expected);
    EXPECT_TRUE(doc.blocks[0].items[4].bold);
}

TEST(HtmlReader, ReadsImagesWithSizesAndAlt)
{
    HtmlDocument doc = ReadHtml(
        "<p><a href=x.html><img src=\" logo.png \" width=120 height='40px' alt=\"The  logo\"></a>"
        "<img src=big.png width=999999><img></p>");
    ASSERT_EQ(doc.images.size(), 3u);
    EXPECT_EQ(doc.images[0].src, "logo.png");
    EXPECT_EQ(doc.images[0].width, 120);
    EXPECT_EQ(doc.images[0].height, 40);
    EXPECT_EQ(doc.images[1].width, 4096) << "sizes are capped";
    EXPECT_EQ(doc.images[2].src, "");
    ASSERT_EQ(doc.blocks.size(), 1u);
    const Inline& first = doc.blocks[0].items[0];
    EXPECT_EQ(first.kind, Inline::Kind::Image);
    EXPECT_EQ(first.link, 0);
    EXPECT_EQ(first.image, 0);
    EXPECT_EQ(first.text, "The logo");
}

TEST(HtmlReader, ReadsBackgroundColour)
{
    struct Case { const char* body; bool has; uint32_t color; };
    const Case cases[] = {
        { "<body bgcolor=\"#336699\">", true, 0x336699 },
        { "<body bgcolor=#abc>", true, 0xAABBCC },
        { "<body bgcolor=Navy>", true, 0x000080 },
        { "<body bgcolor=\"ff8800\">", true, 0xFF8800 },
        { "<body style=\"margin:0; background-color: #102030\">", true, 0x102030 },
        { "<body style=\"background:black\">", true, 0x000000 },
        { "<body bgcolor=\"#12345\">", false, 0xFFFFFF },
        { "<body bgcolor=\"notacolour\">", false, 0xFFFFFF },
        { "<body>", false, 0xFFFFFF },
    };
    for (const Case& c : cases) {
        HtmlDocument doc = ReadHtml(std::string(c.body) + "text");
        EXPECT_EQ(doc.hasBackground, c.has) << c.body;
        EXPECT_EQ(doc.background, c.color) << c.body;
    }
}

TEST(HtmlReader, KeepsScriptsApartWithTheirLines)
{
    HtmlDocument doc = ReadHtml(
        "<html>\n<head>\n<script type=\"text/javascript\">\nif (a < b) document.write(\"<p>x</p>\");\n</script>\n"
        "</head><body><p>Shown</p>\n<SCRIPT src=\"lib.js\"></SCRIPT><script type=text/template><p>t</p></script>\n"
        "<style>p { color: red }</style></body>");
    ASSERT_EQ(doc.scripts.size(), 3u);
    EXPECT_EQ(doc.scripts[0].line, 3);
    EXPECT_EQ(doc.scripts[0].type, "text/javascript");
    EXPECT_NE(doc.scripts[0].code.find("document.write"), std::string::npos);
    EXPECT_EQ(doc.scripts[1].line, 7);
    EXPECT_EQ(doc.scripts[1].src, "lib.js");
    EXPECT_EQ(doc.scripts[2].type, "text/template");
    const std::vector<std::string> expected = { "Shown" };
    EXPECT_EQ(Blocks(doc), expected) << "script and style content is not page text";
}

TEST(HtmlReader, TellsWhichScriptsNeedAnEngine)
{
    struct Case { const char* type; const char* src; const char* code; bool needs; };
    const Case cases[] = {
        { "", "", "alert(1)", true },
        { "text/javascript", "", "x()", true },
        { "application/ecmascript", "", "x()", true },
        { "module", "", "import x", true },
        { "", "lib.js", "", true },
        { "", "", "  \n\t ", false },
        { "", "", "<!-- \n -->", false },
        { "text/template", "", "<p>{{x}}</p>", false },
        { "application/json", "data.json", "{}", false },
    };
    for (const Case& c : cases) {
        Script script;
        script.type = c.type;
        script.src = c.src;
        script.code = c.code;
        EXPECT_EQ(ScriptNeedsEngine(script), c.needs) << c.type << " " << c.src << " " << c.code;
    }
}

TEST(HtmlReader, DetectsCharset)
{
    struct Case { std::string bytes; Charset charset; };
    const Case cases[] = {
        { "<p>plain ascii</p>", Charset::Utf8 },
        { "<p>\xE4\xB8\xAD\xE6\x96\x87</p>", Charset::Utf8 },
        { "<p>\xD6\xD0\xCE\xC4</p>", Charset::Ansi },  // GBK bytes, not UTF-8
        { "<meta charset=\"gb2312\"><p>x</p>", Charset::Ansi },
        { "<meta http-equiv=Content-Type content=\"text/html; charset=UTF-8\"><p>\xD6\xD0</p>", Charset::Utf8 },
        { "\xEF\xBB\xBF<meta charset=gbk>", Charset::Utf8 },
        { "<p>\xE4\xB8</p>", Charset::Ansi },  // cut UTF-8 sequence
        { "\xC0\x80", Charset::Ansi },          // overlong form
    };
    for (const Case& c : cases)
        EXPECT_EQ(DetectCharset(c.bytes), c.charset) << c.bytes;
}

TEST(HtmlReader, MalformedMarkupEndsSafely)
{
    const char* const pages[] = {
        "", "<", "</", "<a", "<a href=", "<a href=\"unterminated", "<p>text<!-- never closed", "<!doctype",
        "<script>never closed", "<title>no end", "<img src=x", "&", "&#", "&#x", "</p></p></div>",
        "<p <p <p>>", "<a href=1><a href=2>two</a>", "<b><b><b>deep", "<=>", "< p>", "<1>", "<br/><br />",
        "<p>\0hidden</p>",
    };
    for (const char* page : pages) {
        HtmlDocument doc = ReadHtml(page);
        for (const Block& block : doc.blocks)
            for (const Inline& item : block.items)
                EXPECT_LT(item.link, static_cast<int>(doc.links.size())) << page;
    }
    HtmlDocument doc = ReadHtml("<a href=1><a href=2>two</a> after");
    ASSERT_EQ(doc.links.size(), 2u);
    ASSERT_EQ(doc.blocks.size(), 1u);
    EXPECT_EQ(doc.blocks[0].items[0].link, 1) << "a new link ends the one before";
    EXPECT_EQ(doc.blocks[0].items.back().link, -1);
}
