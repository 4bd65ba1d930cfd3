// Malformed pages never break the page view's reader and layout: every fuzzing seed, cut at every
// length and with bytes changed, is read, laid out and hit-tested under the sanitizers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "standins/pageview/core/HtmlReader.h"
#include "standins/pageview/core/PageAddress.h"
#include "standins/pageview/core/PageLayout.h"

using namespace pageview;

namespace {

class ByteMeasure : public TextMeasure {
public:
    int TextWidth(const std::string& text, int) override { return static_cast<int>(text.size()) * 7; }
    int LineHeight(int font) override { return 14 + FontHeading(font); }
};

void Exercise(const std::string& bytes)
{
    HtmlDocument doc = ReadHtml(bytes);
    ByteMeasure measure;
    PageLayout layout = LayOutPage(doc, 120, 0, measure, std::vector<Size>(doc.images.size(), { 30, 30 }));
    for (const Box& box : layout.boxes) {
        ASSERT_LT(box.link, static_cast<int>(doc.links.size()));
        ASSERT_LT(box.image, static_cast<int>(doc.images.size()));
        ASSERT_LE(box.y + box.height, kMaxPageHeight + 8192);
        LinkAt(layout, box.x, box.y);
    }
    for (const Link& link : doc.links)
        ResolveAddress("file:///C:/site/index.html?1", link.href);
}

std::vector<std::string> Seeds()
{
    std::vector<std::string> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(PAGEVIEW_FUZZ_SEEDS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return seeds;
}

}  // namespace

TEST(PageViewMalformedPages, SeedsCutAtEveryLength)
{
    std::vector<std::string> seeds = Seeds();
    ASSERT_FALSE(seeds.empty());
    for (const std::string& seed : seeds)
        for (size_t length = 0; length <= seed.size(); ++length)
            Exercise(seed.substr(0, length));
}

TEST(PageViewMalformedPages, SeedsWithBytesChanged)
{
    const char replacements[] = { '<', '>', '"', '\'', '&', '#', ';', '=', '/', '\0', '\n', '\xE4', '\xFF' };
    for (const std::string& seed : Seeds()) {
        for (size_t at = 0; at < seed.size(); ++at) {
            for (char c : replacements) {
                std::string changed = seed;
                changed[at] = c;
                Exercise(changed);
            }
        }
    }
}
