// Reads PNG images (8-bit grey, grey with alpha, RGB, RGBA and palette; not interlaced) into
// straight RGBA pixels, for the bitmaps of the movies we make.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace moviemaker {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;  // straight colour, 4 bytes a pixel
};

// False, with a reason in error, for anything else or anything broken.
bool ReadPng(const std::vector<uint8_t>& file, Image& out, std::string& error);

}  // namespace moviemaker
