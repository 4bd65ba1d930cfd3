// Colour values of HTML attributes and styles: "#rrggbb", "#rgb", "rrggbb" and the basic names.
#pragma once

#include <cstdint>
#include <string>

namespace pageview {

// Reads a colour into 0xRRGGBB; false (and color unchanged) when the text is not one.
bool ParseHtmlColor(const std::string& text, uint32_t& color);

}  // namespace pageview
