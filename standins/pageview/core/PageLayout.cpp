// Lays a read page out in a column of lines.
#include "PageLayout.h"

#include <algorithm>
#include <cstdint>

namespace pageview {

namespace {

const int kMaxImageSide = 8192;

struct Piece {
    enum class Kind { Space, Word, Wide };
    Kind kind;
    std::string text;
};

// Length of the character at text[pos] and whether it is a wide (CJK-like) character, which
// stands alone for line breaking.
size_t CharLength(const std::string& text, size_t pos, Charset charset, bool& wide)
{
    unsigned char c = static_cast<unsigned char>(text[pos]);
    wide = false;
    if (c < 0x80)
        return 1;
    if (charset == Charset::Ansi) {
        if (c >= 0x81 && pos + 1 < text.size()) {
            wide = true;
            return 2;
        }
        return 1;
    }
    size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (pos + length > text.size())
        return 1;
    uint32_t cp = length == 1 ? c : c & (0xFF >> (length + 1));
    for (size_t k = 1; k < length; ++k) {
        unsigned char next = static_cast<unsigned char>(text[pos + k]);
        if ((next & 0xC0) != 0x80)
            return 1;
        cp = (cp << 6) | (next & 0x3F);
    }
    wide = cp >= 0x2E80;
    return length;
}

std::vector<Piece> SplitText(const std::string& text, Charset charset)
{
    std::vector<Piece> pieces;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            if (pieces.empty() || pieces.back().kind != Piece::Kind::Space)
                pieces.push_back({ Piece::Kind::Space, " " });
            ++i;
            continue;
        }
        bool wide = false;
        size_t length = CharLength(text, i, charset, wide);
        std::string ch = text.substr(i, length);
        i += length;
        if (wide)
            pieces.push_back({ Piece::Kind::Wide, ch });
        else if (!pieces.empty() && pieces.back().kind == Piece::Kind::Word)
            pieces.back().text += ch;
        else
            pieces.push_back({ Piece::Kind::Word, ch });
    }
    return pieces;
}

int Clamp(long long value, int low, int high)
{
    return static_cast<int>(std::min<long long>(std::max<long long>(value, low), high));
}

class LineBuilder {
public:
    LineBuilder(PageLayout& layout, int left, int right, int y) : m_layout(layout), m_left(left), m_right(right), m_y(y), m_x(left) {}

    bool Full() const { return m_y >= kMaxPageHeight; }
    bool Empty() const { return m_line.empty(); }
    int Y() const { return m_y; }
    void Advance(int height) { m_y = Clamp(static_cast<long long>(m_y) + height, 0, kMaxPageHeight); }
    int Available() const { return m_right - m_left; }

    void Space(int width)
    {
        if (!m_line.empty())
            m_space = width;
    }

    // Places a piece of text of one inline item; pieces of the same item on a line share a box.
    void Word(const std::string& text, int width, int height, int font, int link, int item)
    {
        if (!m_line.empty() && m_x + m_space + width > m_right)
            EndLine();
        if (!m_line.empty() && m_lastItem == item && m_line.back().kind == Box::Kind::Text) {
            Box& box = m_line.back();
            if (m_space)
                box.text += ' ';
            box.text += text;
            box.width += m_space + width;
        } else {
            Box box;
            box.kind = Box::Kind::Text;
            box.x = m_x + m_space;
            box.width = width;
            box.height = height;
            box.font = font;
            box.text = text;
            box.link = link;
            m_line.push_back(box);
        }
        m_x += m_space + width;
        m_space = 0;
        m_lastItem = item;
    }

    void Picture(int width, int height, int link, int image, int item)
    {
        if (!m_line.empty() && m_x + m_space + width > m_right)
            EndLine();
        Box box;
        box.kind = Box::Kind::Image;
        box.x = m_x + m_space;
        box.width = width;
        box.height = height;
        box.link = link;
        box.image = image;
        m_line.push_back(box);
        m_x += m_space + width;
        m_space = 0;
        m_lastItem = item;
    }

    // Ends the line; an empty line still takes emptyHeight (a line break on its own).
    void EndLine(int emptyHeight = 0)
    {
        int height = m_line.empty() ? emptyHeight : 0;
        for (const Box& box : m_line)
            height = std::max(height, box.height);
        for (Box& box : m_line) {
            box.y = m_y + height - box.height;
            m_layout.boxes.push_back(box);
        }
        m_line.clear();
        Advance(height);
        m_x = m_left;
        m_space = 0;
        m_lastItem = -1;
    }

private:
    PageLayout& m_layout;
    int m_left, m_right, m_y, m_x;
    int m_space = 0;
    int m_lastItem = -1;
    std::vector<Box> m_line;
};

Size ImageBoxSize(const Image& image, Size natural, int available)
{
    long long w = image.width, h = image.height;
    if (w && !h)
        h = natural.width > 0 ? w * natural.height / natural.width : w;
    else if (h && !w)
        w = natural.height > 0 ? h * natural.width / natural.height : h;
    else if (!w && !h) {
        w = natural.width;
        h = natural.height;
    }
    if (w <= 0 || h <= 0)
        return Size();
    if (w > available) {
        h = std::max<long long>(1, h * available / w);
        w = available;
    }
    return { Clamp(w, 1, kMaxImageSide), Clamp(h, 1, kMaxImageSide) };
}

}  // namespace

int FontId(int heading, bool bold, bool link)
{
    heading = std::min(std::max(heading, 0), 6);
    return heading * 4 + (bold ? 2 : 0) + (link ? 1 : 0);
}

int FontHeading(int font) { return (font / 4) % 7; }
bool FontBold(int font) { return (font & 2) != 0; }
bool FontLink(int font) { return (font & 1) != 0; }

PageLayout LayOutPage(const HtmlDocument& doc, int width, int top, TextMeasure& measure,
                      const std::vector<Size>& imageSizes)
{
    PageLayout layout;
    const int left = kPageMargin;
    const int right = std::max(left + 1, width - kPageMargin);
    LineBuilder lines(layout, left, right, Clamp(static_cast<long long>(top) + kPageMargin, 0, kMaxPageHeight));
    int item = 0;

    for (size_t b = 0; b < doc.blocks.size() && !lines.Full(); ++b) {
        const Block& block = doc.blocks[b];
        const int blockFont = FontId(block.heading, false, false);
        const int blockLine = std::max(1, measure.LineHeight(blockFont));
        if (b > 0)
            lines.Advance(blockLine / 2);
        for (const Inline& piece : block.items) {
            ++item;
            if (lines.Full())
                break;
            if (piece.kind == Inline::Kind::Break) {
                lines.EndLine(blockLine);
                continue;
            }
            const int font = FontId(block.heading, piece.bold, piece.link >= 0);
            const int lineHeight = std::max(1, measure.LineHeight(font));
            std::string text = piece.text;
            if (piece.kind == Inline::Kind::Image) {
                Size natural = piece.image >= 0 && static_cast<size_t>(piece.image) < imageSizes.size()
                                   ? imageSizes[static_cast<size_t>(piece.image)] : Size();
                Size size = piece.image >= 0 && static_cast<size_t>(piece.image) < doc.images.size()
                                ? ImageBoxSize(doc.images[static_cast<size_t>(piece.image)], natural, lines.Available())
                                : Size();
                if (size.width > 0) {
                    lines.Picture(size.width, size.height, piece.link, piece.image, item);
                    continue;
                }
                // Not loaded and no size given: its alt text stands in for it.
                if (text.empty())
                    continue;
                text = "[" + text + "]";
            }
            for (const Piece& part : SplitText(text, doc.charset)) {
                if (part.kind == Piece::Kind::Space) {
                    lines.Space(std::max(0, measure.TextWidth(" ", font)));
                    continue;
                }
                int w = std::max(0, measure.TextWidth(part.text, font));
                if (w <= lines.Available() || part.kind == Piece::Kind::Wide) {
                    lines.Word(part.text, w, lineHeight, font, piece.link, item);
                    continue;
                }
                // A word wider than the column is cut into pieces that fit (character widths are
                // summed, so a long word costs linear time).
                std::string chunk;
                int chunkWidth = 0;
                for (size_t i = 0; i < part.text.size();) {
                    bool wide = false;
                    size_t length = CharLength(part.text, i, doc.charset, wide);
                    std::string ch = part.text.substr(i, length);
                    int chWidth = std::max(0, measure.TextWidth(ch, font));
                    if (!chunk.empty() && chunkWidth + chWidth > lines.Available()) {
                        if (!lines.Empty())
                            lines.EndLine();
                        lines.Word(chunk, chunkWidth, lineHeight, font, piece.link, item);
                        lines.EndLine();
                        chunk.clear();
                        chunkWidth = 0;
                    }
                    chunk += ch;
                    chunkWidth += chWidth;
                    i += length;
                }
                if (!chunk.empty())
                    lines.Word(chunk, chunkWidth, lineHeight, font, piece.link, item);
            }
        }
        lines.EndLine();
    }
    layout.height = Clamp(static_cast<long long>(lines.Y()) + kPageMargin, 0, kMaxPageHeight + kPageMargin);
    return layout;
}

int LinkAt(const PageLayout& layout, int x, int y)
{
    for (const Box& box : layout.boxes) {
        if (box.link >= 0 && x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height)
            return box.link;
    }
    return -1;
}

}  // namespace pageview
