// What the page view keeps of an HTML page: title, background, blocks of inline pieces, links,
// images and scripts. Text stays in the page's own bytes; `charset` says how to read them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pageview {

enum class Charset { Utf8, Ansi };

struct Inline {
    enum class Kind { Text, Break, Image };
    Kind kind = Kind::Text;
    std::string text;  // Text: whitespace already collapsed; Image: its alt text
    int link = -1;     // index into HtmlDocument::links, or -1
    bool bold = false;
    int image = -1;    // Image: index into HtmlDocument::images
};

struct Block {
    int heading = 0;  // 0 for ordinary text, 1 to 6 for h1 to h6
    std::vector<Inline> items;
};

struct Link {
    std::string href;    // as written in the page, entities decoded
    std::string target;  // "_blank" asks for a new window
};

struct Image {
    std::string src;
    int width = 0;   // from the attributes; 0 when not given
    int height = 0;
};

struct Script {
    int line = 0;  // line of the page where the script element starts, from 1
    std::string type;
    std::string src;
    std::string code;
};

struct HtmlDocument {
    std::string title;
    bool hasBackground = false;
    uint32_t background = 0xFFFFFF;  // 0xRRGGBB
    Charset charset = Charset::Utf8;
    std::vector<Block> blocks;
    std::vector<Link> links;
    std::vector<Image> images;
    std::vector<Script> scripts;
};

}  // namespace pageview
