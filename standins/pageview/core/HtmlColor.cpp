// Colour values of HTML attributes and styles.
#include "HtmlColor.h"

#include <cctype>
#include <cstring>

namespace pageview {

namespace {

struct NamedColor {
    const char* name;
    uint32_t value;
};

const NamedColor kNamedColors[] = {
    { "black", 0x000000 }, { "silver", 0xC0C0C0 }, { "gray", 0x808080 }, { "grey", 0x808080 },
    { "white", 0xFFFFFF }, { "maroon", 0x800000 }, { "red", 0xFF0000 }, { "purple", 0x800080 },
    { "fuchsia", 0xFF00FF }, { "green", 0x008000 }, { "lime", 0x00FF00 }, { "olive", 0x808000 },
    { "yellow", 0xFFFF00 }, { "navy", 0x000080 }, { "blue", 0x0000FF }, { "teal", 0x008080 },
    { "aqua", 0x00FFFF }, { "orange", 0xFFA500 },
};

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool ParseHexDigits(const std::string& digits, uint32_t& color)
{
    for (char c : digits)
        if (HexValue(c) < 0)
            return false;
    if (digits.size() == 6) {
        uint32_t value = 0;
        for (char c : digits)
            value = value * 16 + static_cast<uint32_t>(HexValue(c));
        color = value;
        return true;
    }
    if (digits.size() == 3) {
        uint32_t value = 0;
        for (char c : digits)
            value = value * 256 + static_cast<uint32_t>(HexValue(c) * 17);
        color = value;
        return true;
    }
    return false;
}

}  // namespace

bool ParseHtmlColor(const std::string& text, uint32_t& color)
{
    size_t begin = 0, end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    std::string value = text.substr(begin, end - begin);
    if (value.empty())
        return false;
    if (value[0] == '#')
        return ParseHexDigits(value.substr(1), color);
    std::string lower;
    for (char c : value)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const NamedColor& named : kNamedColors) {
        if (lower == named.name) {
            color = named.value;
            return true;
        }
    }
    // Old pages write bgcolor without the hash.
    return value.size() == 6 && ParseHexDigits(value, color);
}

}  // namespace pageview
