// The page view's layout: wrapping, blocks, breaks, images, links under a point.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "standins/pageview/core/HtmlReader.h"
#include "standins/pageview/core/PageLayout.h"

using namespace pageview;

namespace {

// Every byte 10 pixels wide; lines 20 pixels high, headings higher.
class FixedMeasure : public TextMeasure {
public:
    int TextWidth(const std::string& text, int) override { return static_cast<int>(text.size()) * 10; }
    int LineHeight(int font) override { return 20 + (FontHeading(font) ? (7 - FontHeading(font)) * 4 : 0); }
};

std::vector<std::string> TextLines(const PageLayout& layout)
{
    std::vector<std::string> lines;
    int lastY = -1;
    for (const Box& box : layout.boxes) {
        if (box.kind != Box::Kind::Text)
            continue;
        if (box.y != lastY)
            lines.emplace_back();
        else
            lines.back() += "/";  // another box on the same line
        lines.back() += box.text;
        lastY = box.y;
    }
    return lines;
}

PageLayout Lay(const std::string& html, int width, std::vector<Size> sizes = {}, int top = 0)
{
    FixedMeasure measure;
    return LayOutPage(ReadHtml(html), width, top, measure, sizes);
}

}  // namespace

TEST(PageLayout, WrapsWordsIntoTheColumn)
{
    // 116 pixels wide: 100 between the margins, so ten bytes a line.
    PageLayout layout = Lay("<p>one two three four five sixsixsix</p>", 116);
    const std::vector<std::string> expected = { "one two", "three four", "five", "sixsixsix" };
    EXPECT_EQ(TextLines(layout), expected);
    for (const Box& box : layout.boxes) {
        EXPECT_GE(box.x, kPageMargin);
        EXPECT_LE(box.x + box.width, 116 - kPageMargin) << box.text;
    }
    EXPECT_EQ(layout.boxes.front().y, kPageMargin);
    EXPECT_EQ(layout.height, kPageMargin + 4 * 20 + kPageMargin);
}

TEST(PageLayout, CutsWordsWiderThanTheColumnAndWrapsWideCharacters)
{
    PageLayout cut = Lay("<p>abcdefghijklmnopqrstuvwxyz</p>", 116);
    const std::vector<std::string> expected = { "abcdefghij", "klmnopqrst", "uvwxyz" };
    EXPECT_EQ(TextLines(cut), expected);

    // Each CJK character (3 bytes, 30 pixels here) may start a line.
    PageLayout wide = Lay("<p>\xE4\xB8\x80\xE4\xBA\x8C\xE4\xB8\x89\xE5\x9B\x9B</p>", 76);
    const std::vector<std::string> wideLines = { "\xE4\xB8\x80\xE4\xBA\x8C", "\xE4\xB8\x89\xE5\x9B\x9B" };
    EXPECT_EQ(TextLines(wide), wideLines);
}

TEST(PageLayout, StacksBlocksAndBreaks)
{
    PageLayout layout = Lay("<h1>Head</h1><p>a<br>b<br><br>c</p>", 400);
    ASSERT_EQ(layout.boxes.size(), 4u);
    const Box& head = layout.boxes[0];
    EXPECT_EQ(head.text, "Head");
    EXPECT_EQ(FontHeading(head.font), 1);
    EXPECT_EQ(head.height, 44);
    const int paragraphTop = kPageMargin + 44 + 10;  // half a body line between blocks
    EXPECT_EQ(layout.boxes[1].y, paragraphTop);
    EXPECT_EQ(layout.boxes[2].y, paragraphTop + 20);
    EXPECT_EQ(layout.boxes[3].y, paragraphTop + 60) << "two breaks leave an empty line";
}

TEST(PageLayout, SizesImages)
{
    struct Case { const char* html; Size natural; int width; int height; };
    const Case cases[] = {
        { "<img src=a.png>", { 40, 20 }, 40, 20 },
        { "<img src=a.png width=80>", { 40, 20 }, 80, 40 },
        { "<img src=a.png height=10>", { 40, 20 }, 20, 10 },
        { "<img src=a.png width=30 height=30>", { 40, 20 }, 30, 30 },
        { "<img src=a.png>", { 400, 100 }, 184, 46 },       // scaled into the 184-pixel column
        { "<img src=a.png width=50 height=60>", { 0, 0 }, 50, 60 },  // not loaded: frame of its size
    };
    for (const Case& c : cases) {
        PageLayout layout = Lay(c.html, 200, { c.natural });
        ASSERT_EQ(layout.boxes.size(), 1u) << c.html;
        EXPECT_EQ(layout.boxes[0].kind, Box::Kind::Image) << c.html;
        EXPECT_EQ(layout.boxes[0].width, c.width) << c.html;
        EXPECT_EQ(layout.boxes[0].height, c.height) << c.html;
    }
    PageLayout alt = Lay("<img src=a.png alt=Logo><img src=b.png>", 200, { { 0, 0 } });
    const std::vector<std::string> altLines = { "[Logo]" };
    EXPECT_EQ(TextLines(alt), altLines) << "a picture that did not load shows its alt text";
}

TEST(PageLayout, FindsTheLinkUnderAPoint)
{
    PageLayout layout = Lay("<p>go <a href=a.html>here</a> now <a href=b.html><img src=x.png></a></p>", 400, { {}, }, 24);
    int textLink = -1, imageLink = -1;
    for (const Box& box : layout.boxes) {
        if (box.kind == Box::Kind::Text && box.link == 0) {
            EXPECT_EQ(box.text, "here");
            EXPECT_EQ(box.y, 24 + kPageMargin) << "laid out below the top offset";
            textLink = LinkAt(layout, box.x + 1, box.y + 1);
            EXPECT_EQ(LinkAt(layout, box.x - 1, box.y + 1), -1);
            EXPECT_EQ(LinkAt(layout, box.x + box.width, box.y + 1), -1);
        }
        if (box.kind == Box::Kind::Image)
            imageLink = LinkAt(layout, box.x, box.y);
    }
    EXPECT_EQ(textLink, 0);
    EXPECT_EQ(imageLink, -1) << "a picture with no size and no alt takes no room";
    EXPECT_EQ(LinkAt(layout, 0, 0), -1);

    PageLayout withImage = Lay("<a href=b.html><img src=x.png></a>", 400, { { 16, 16 } });
    ASSERT_EQ(withImage.boxes.size(), 1u);
    EXPECT_EQ(LinkAt(withImage, kPageMargin + 15, kPageMargin + 15), 0);
    EXPECT_EQ(LinkAt(withImage, kPageMargin + 16, kPageMargin + 15), -1);
}

TEST(PageLayout, KeepsWithinLimitsWhateverThePage)
{
    std::string tall;
    for (int i = 0; i < 2000; ++i)
        tall += "<img src=a.png width=4096 height=4096>";
    PageLayout layout = Lay(tall, 5000, std::vector<Size>(2000, { 1, 1 }));
    EXPECT_LE(layout.height, kMaxPageHeight + kPageMargin);
    EXPECT_LT(layout.boxes.size(), 2000u) << "content below the limit is not laid out";

    for (int width : { -100, 0, 1, 16, 17 }) {
        PageLayout narrow = Lay("<p>words in a very narrow view</p><img src=a.png>", width, { { 50, 50 } });
        for (const Box& box : narrow.boxes) {
            EXPECT_GT(box.width, 0) << width;
            EXPECT_GT(box.height, 0) << width;
        }
    }
}
