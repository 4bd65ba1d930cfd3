// Reads an HTML page into an HtmlDocument: a forgiving tokenizer feeding a flat builder (blocks of
// inline pieces; nothing nests, so deep or broken markup costs no stack).
#include "HtmlReader.h"

#include <cctype>
#include <cstdint>
#include <utility>
#include <vector>

#include "HtmlColor.h"

namespace pageview {

namespace {

const size_t kMaxEntityLength = 12;
const uint32_t kReplacementChar = 0xFFFD;

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

char Lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::string ToLower(const std::string& s)
{
    std::string out(s);
    for (char& c : out)
        c = Lower(c);
    return out;
}

std::string Trim(const std::string& s)
{
    size_t begin = 0, end = s.size();
    while (begin < end && IsSpace(s[begin]))
        ++begin;
    while (end > begin && IsSpace(s[end - 1]))
        --end;
    return s.substr(begin, end - begin);
}

bool StartsWithNoCase(const std::string& s, size_t pos, const char* prefix)
{
    for (size_t k = 0; prefix[k]; ++k) {
        if (pos + k >= s.size() || Lower(s[pos + k]) != prefix[k])
            return false;
    }
    return true;
}

void AppendUtf8(std::string& out, uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// A character from an entity, in the page's own character set. The ANSI code page is unknown
// here, so characters beyond ASCII become '?' there (a no-break space becomes a space).
void AppendCodePoint(std::string& out, uint32_t cp, Charset charset)
{
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = kReplacementChar;
    if (charset == Charset::Utf8)
        AppendUtf8(out, cp);
    else if (cp < 0x80)
        out += static_cast<char>(cp);
    else
        out += cp == 0xA0 ? ' ' : '?';
}

struct NamedEntity {
    const char* name;
    uint32_t cp;
};

const NamedEntity kEntities[] = {
    { "amp", '&' }, { "lt", '<' }, { "gt", '>' }, { "quot", '"' }, { "apos", '\'' },
    { "nbsp", 0xA0 }, { "copy", 0xA9 }, { "reg", 0xAE }, { "middot", 0xB7 }, { "laquo", 0xAB },
    { "raquo", 0xBB }, { "times", 0xD7 }, { "ndash", 0x2013 }, { "mdash", 0x2014 },
    { "hellip", 0x2026 },
};

// Decodes the entity starting at text[pos] == '&'; returns the length consumed, 0 if none.
size_t DecodeEntity(const std::string& text, size_t pos, Charset charset, std::string& out)
{
    size_t i = pos + 1;
    if (i < text.size() && text[i] == '#') {
        ++i;
        bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
        if (hex)
            ++i;
        size_t digitsStart = i;
        uint32_t value = 0;
        while (i < text.size() && i - digitsStart < kMaxEntityLength) {
            char c = text[i];
            int digit = -1;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (hex && c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            if (digit < 0)
                break;
            if (value <= 0x10FFFF)
                value = value * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
            ++i;
        }
        if (i == digitsStart)
            return 0;
        if (i < text.size() && text[i] == ';')
            ++i;
        AppendCodePoint(out, value, charset);
        return i - pos;
    }
    size_t nameStart = i;
    while (i < text.size() && i - nameStart < kMaxEntityLength && std::isalnum(static_cast<unsigned char>(text[i])))
        ++i;
    if (i >= text.size() || text[i] != ';' || i == nameStart)
        return 0;
    std::string name = text.substr(nameStart, i - nameStart);
    for (const NamedEntity& entity : kEntities) {
        if (name == entity.name) {
            AppendCodePoint(out, entity.cp, charset);
            return i + 1 - pos;
        }
    }
    return 0;
}

std::string DecodeEntities(const std::string& text, Charset charset)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (text[i] == '&') {
            size_t used = DecodeEntity(text, i, charset, out);
            if (used) {
                i += used;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

std::string CollapseSpaces(const std::string& text)
{
    std::string out;
    bool space = false;
    for (char c : text) {
        if (IsSpace(c)) {
            space = !out.empty();
            continue;
        }
        if (space)
            out += ' ';
        space = false;
        out += c;
    }
    return out;
}

bool IsValidUtf8(const std::string& s)
{
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t extra;
        if (c < 0x80)
            extra = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            extra = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            extra = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            extra = 3;
        else
            return false;
        if (extra > s.size() - i - 1)
            return false;
        for (size_t k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += extra + 1;
    }
    return true;
}

struct Tag {
    std::string name;  // lower case
    bool end = false;
    std::vector<std::pair<std::string, std::string>> attributes;  // names lower case

    const std::string* Find(const char* attribute) const
    {
        for (const auto& a : attributes)
            if (a.first == attribute)
                return &a.second;
        return nullptr;
    }
    std::string Get(const char* attribute) const
    {
        const std::string* value = Find(attribute);
        return value ? *value : std::string();
    }
};

// Reads the tag that starts at bytes[pos] == '<' (followed by a letter, or '/' and a letter);
// returns the position after its '>' (or the end of the input).
size_t ReadTag(const std::string& bytes, size_t pos, Charset charset, Tag& tag)
{
    const size_t n = bytes.size();
    size_t i = pos + 1;
    if (i < n && bytes[i] == '/') {
        tag.end = true;
        ++i;
    }
    while (i < n && (std::isalnum(static_cast<unsigned char>(bytes[i])) || bytes[i] == '-' || bytes[i] == ':'))
        tag.name += Lower(bytes[i++]);
    while (i < n) {
        char c = bytes[i];
        if (c == '>')
            return i + 1;
        if (IsSpace(c) || c == '/') {
            ++i;
            continue;
        }
        std::string name;
        while (i < n && !IsSpace(bytes[i]) && bytes[i] != '>' && bytes[i] != '/' && (bytes[i] != '=' || name.empty()))
            name += Lower(bytes[i++]);
        while (i < n && IsSpace(bytes[i]))
            ++i;
        std::string value;
        if (i < n && bytes[i] == '=') {
            ++i;
            while (i < n && IsSpace(bytes[i]))
                ++i;
            if (i < n && (bytes[i] == '"' || bytes[i] == '\'')) {
                char quote = bytes[i++];
                size_t close = bytes.find(quote, i);
                if (close == std::string::npos)
                    close = n;
                value = bytes.substr(i, close - i);
                i = close < n ? close + 1 : n;
            } else {
                size_t start = i;
                while (i < n && !IsSpace(bytes[i]) && bytes[i] != '>')
                    ++i;
                value = bytes.substr(start, i - start);
            }
        }
        if (!tag.Find(name.c_str()))
            tag.attributes.emplace_back(name, DecodeEntities(value, charset));
    }
    return n;
}

// Where the raw text of a script, style, title or textarea element ends: at its end tag.
size_t FindEndTag(const std::string& bytes, size_t from, const std::string& name)
{
    const std::string closing = "</" + name;
    for (size_t i = bytes.find('<', from); i != std::string::npos; i = bytes.find('<', i + 1)) {
        if (!StartsWithNoCase(bytes, i, closing.c_str()))
            continue;
        size_t after = i + closing.size();
        if (after >= bytes.size() || IsSpace(bytes[after]) || bytes[after] == '>' || bytes[after] == '/')
            return i;
    }
    return bytes.size();
}

bool IsBlockTag(const std::string& name)
{
    static const char* const kBlocks[] = {
        "p", "div", "ul", "ol", "li", "dl", "dt", "dd", "table", "tr", "center", "blockquote", "form",
        "hr", "pre", "section", "article", "header", "footer", "nav", "address", "body", "html", "h1",
        "h2", "h3", "h4", "h5", "h6",
    };
    for (const char* block : kBlocks)
        if (name == block)
            return true;
    return false;
}

int HeadingLevel(const std::string& name)
{
    if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6')
        return name[1] - '0';
    return 0;
}

int SizeAttribute(const std::string& text)
{
    const int kMaxSize = 4096;
    int value = 0;
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kMaxSize)
            return kMaxSize;
    }
    return value;
}

// The background colour of a style attribute ("background-color: #123456; ...").
bool StyleBackground(const std::string& style, uint32_t& color)
{
    std::string lower = ToLower(style);
    for (const char* property : { "background-color", "background" }) {
        size_t at = lower.find(property);
        while (at != std::string::npos) {
            size_t i = at + std::string(property).size();
            while (i < lower.size() && IsSpace(lower[i]))
                ++i;
            if (i < lower.size() && lower[i] == ':') {
                size_t end = lower.find(';', i + 1);
                std::string value = lower.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
                if (ParseHtmlColor(value, color))
                    return true;
            }
            at = lower.find(property, at + 1);
        }
    }
    return false;
}

class Builder {
public:
    explicit Builder(HtmlDocument& doc) : m_doc(doc) {}

    void Text(const std::string& text)
    {
        for (char c : text) {
            if (IsSpace(c)) {
                m_pendingSpace = HasContentOnLine();
                continue;
            }
            FlushSpace();
            Append(c);
        }
    }

    void Break()
    {
        Inline item;
        item.kind = Inline::Kind::Break;
        m_block.items.push_back(item);
        m_pendingSpace = false;
    }

    void ImageTag(const Tag& tag)
    {
        FlushSpace();
        Image image;
        image.src = Trim(tag.Get("src"));
        image.width = SizeAttribute(tag.Get("width"));
        image.height = SizeAttribute(tag.Get("height"));
        m_doc.images.push_back(image);
        Inline item;
        item.kind = Inline::Kind::Image;
        item.text = CollapseSpaces(tag.Get("alt"));
        item.link = m_link;
        item.image = static_cast<int>(m_doc.images.size() - 1);
        m_block.items.push_back(item);
    }

    void StartLink(const Tag& tag)
    {
        m_link = -1;
        const std::string* href = tag.Find("href");
        if (!href)
            return;
        Link link;
        link.href = Trim(*href);
        link.target = Trim(tag.Get("target"));
        m_doc.links.push_back(link);
        m_link = static_cast<int>(m_doc.links.size() - 1);
    }
    void EndLink() { m_link = -1; }

    void Bold(bool on)
    {
        if (on && m_boldDepth < 1000)
            ++m_boldDepth;
        else if (!on && m_boldDepth > 0)
            --m_boldDepth;
    }

    void NewBlock(int heading)
    {
        if (!m_block.items.empty())
            m_doc.blocks.push_back(std::move(m_block));
        m_block = Block();
        m_block.heading = heading;
        m_pendingSpace = false;
    }

private:
    bool HasContentOnLine() const
    {
        return !m_block.items.empty() && m_block.items.back().kind != Inline::Kind::Break;
    }

    // A collapsed space joins the text before it unless that is another link, so a space
    // between two links belongs to neither and a space before a link is not underlined.
    void FlushSpace()
    {
        if (!m_pendingSpace)
            return;
        m_pendingSpace = false;
        if (!m_block.items.empty() && m_block.items.back().kind == Inline::Kind::Text &&
            (m_block.items.back().link == -1 || m_block.items.back().link == m_link))
            m_block.items.back().text += ' ';
        else
            Append(' ');
    }

    void Append(char c)
    {
        bool bold = m_boldDepth > 0;
        if (m_block.items.empty() || m_block.items.back().kind != Inline::Kind::Text ||
            m_block.items.back().link != m_link || m_block.items.back().bold != bold) {
            Inline item;
            item.link = m_link;
            item.bold = bold;
            m_block.items.push_back(item);
        }
        m_block.items.back().text += c;
    }

    HtmlDocument& m_doc;
    Block m_block;
    bool m_pendingSpace = false;
    int m_link = -1;
    int m_boldDepth = 0;
};

}  // namespace

Charset DetectCharset(const std::string& bytes)
{
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return Charset::Utf8;
    const std::string head = ToLower(bytes.substr(0, 4096));
    size_t at = head.find("charset=");
    if (at != std::string::npos) {
        size_t i = at + 8;
        while (i < head.size() && (head[i] == '"' || head[i] == '\'' || IsSpace(head[i])))
            ++i;
        std::string name;
        while (i < head.size() && (std::isalnum(static_cast<unsigned char>(head[i])) || head[i] == '-' || head[i] == '_'))
            name += head[i++];
        if (name == "utf-8" || name == "utf8")
            return Charset::Utf8;
        if (!name.empty())
            return Charset::Ansi;
    }
    return IsValidUtf8(bytes) ? Charset::Utf8 : Charset::Ansi;
}

HtmlDocument ReadHtml(const std::string& bytes)
{
    HtmlDocument doc;
    doc.charset = DetectCharset(bytes);
    Builder builder(doc);
    const size_t n = bytes.size();
    size_t i = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    int line = 1;
    size_t lineCountedTo = 0;

    while (i < n) {
        if (bytes[i] != '<') {
            size_t next = bytes.find('<', i);
            if (next == std::string::npos)
                next = n;
            builder.Text(DecodeEntities(bytes.substr(i, next - i), doc.charset));
            i = next;
            continue;
        }
        if (StartsWithNoCase(bytes, i, "<!--")) {
            size_t close = bytes.find("-->", i + 4);
            i = close == std::string::npos ? n : close + 3;
            continue;
        }
        size_t nameAt = i + 1 < n && bytes[i + 1] == '/' ? i + 2 : i + 1;
        if (i + 1 < n && (bytes[i + 1] == '!' || bytes[i + 1] == '?')) {
            size_t close = bytes.find('>', i);
            i = close == std::string::npos ? n : close + 1;
            continue;
        }
        if (nameAt >= n || !std::isalpha(static_cast<unsigned char>(bytes[nameAt]))) {
            builder.Text("<");
            ++i;
            continue;
        }
        const size_t tagStart = i;
        Tag tag;
        i = ReadTag(bytes, i, doc.charset, tag);
        const std::string& name = tag.name;

        if (tag.end) {
            if (name == "a")
                builder.EndLink();
            else if (name == "b" || name == "strong")
                builder.Bold(false);
            else if (IsBlockTag(name))
                builder.NewBlock(0);
            continue;
        }

        if (name == "script" || name == "style" || name == "title" || name == "textarea") {
            size_t close = FindEndTag(bytes, i, name);
            std::string content = bytes.substr(i, close - i);
            i = close;
            if (name == "title" && doc.title.empty()) {
                doc.title = CollapseSpaces(DecodeEntities(content, doc.charset));
            } else if (name == "script") {
                for (; lineCountedTo < tagStart; ++lineCountedTo)
                    if (bytes[lineCountedTo] == '\n')
                        ++line;
                Script script;
                script.line = line;
                script.type = ToLower(Trim(tag.Get("type")));
                script.src = Trim(tag.Get("src"));
                script.code = content;
                doc.scripts.push_back(script);
            }
            continue;
        }
        if (name == "br") {
            builder.Break();
        } else if (name == "img") {
            builder.ImageTag(tag);
        } else if (name == "a") {
            builder.StartLink(tag);
        } else if (name == "b" || name == "strong") {
            builder.Bold(true);
        } else if (name == "td" || name == "th") {
            builder.Text(" ");
        } else if (IsBlockTag(name)) {
            builder.NewBlock(HeadingLevel(name));
            if (name == "body") {
                uint32_t color = 0;
                if (ParseHtmlColor(tag.Get("bgcolor"), color) || StyleBackground(tag.Get("style"), color)) {
                    doc.hasBackground = true;
                    doc.background = color;
                }
            }
        }
    }
    builder.NewBlock(0);
    return doc;
}

bool ScriptNeedsEngine(const Script& script)
{
    const std::string& type = script.type;
    if (!type.empty() && type.find("javascript") == std::string::npos && type.find("ecmascript") == std::string::npos &&
        type.find("jscript") == std::string::npos && type != "module")
        return false;
    if (!script.src.empty())
        return true;
    std::string code = script.code;
    for (const char* marker : { "<!--", "-->" }) {
        for (size_t at = code.find(marker); at != std::string::npos; at = code.find(marker))
            code.erase(at, std::string(marker).size());
    }
    for (char c : code)
        if (!IsSpace(c))
            return true;
    return false;
}

}  // namespace pageview
