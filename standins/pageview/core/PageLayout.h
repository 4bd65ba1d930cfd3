// Lays a read page out in a column: words and wide characters wrapped into lines, images on the
// lines, blocks one under the other. Measuring text is left to the caller (GDI in the view, a
// fixed-width stand-in in tests), so the layout itself is plain arithmetic.
#pragma once

#include <string>
#include <vector>

#include "HtmlDocument.h"

namespace pageview {

// The view's fonts: body text or heading 1 to 6, bold or not, link (underlined) or not.
const int kFontCount = 28;
int FontId(int heading, bool bold, bool link);
int FontHeading(int font);
bool FontBold(int font);
bool FontLink(int font);

class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // Width of text in the page's own bytes, in pixels.
    virtual int TextWidth(const std::string& text, int font) = 0;
    virtual int LineHeight(int font) = 0;
};

struct Size {
    int width = 0;
    int height = 0;
};

struct Box {
    enum class Kind { Text, Image };
    Kind kind = Kind::Text;
    int x = 0, y = 0, width = 0, height = 0;
    int font = 0;       // Text
    std::string text;   // Text
    int link = -1;      // index into HtmlDocument::links, or -1
    int image = -1;     // Image: index into HtmlDocument::images
};

struct PageLayout {
    std::vector<Box> boxes;
    int height = 0;  // from 0 to below the last line, margin included
};

// Content lower than this is not laid out; it keeps sizes in range whatever the page says.
const int kMaxPageHeight = 1000000;
const int kPageMargin = 8;

// Lays doc out for a view `width` pixels wide, starting `top` pixels down. imageSizes[i] is the
// decoded size of doc.images[i], 0 x 0 when it could not be loaded (missing entries count as such).
PageLayout LayOutPage(const HtmlDocument& doc, int width, int top, TextMeasure& measure,
                      const std::vector<Size>& imageSizes);

// The link under a point, or -1.
int LinkAt(const PageLayout& layout, int x, int y);

}  // namespace pageview
