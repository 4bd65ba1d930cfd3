// Pictures of a page: decoded with GDI+ into premultiplied 32-bit DIB sections that the view
// draws with AlphaBlend.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/PageLayout.h"

namespace pageview {

struct PageImage {
    HBITMAP bitmap = nullptr;  // null when the bytes could not be decoded
    int width = 0;
    int height = 0;
};

// One entry per input, in order.
std::vector<PageImage> DecodeImages(const std::vector<std::string>& files);
void FreeImages(std::vector<PageImage>& images);
std::vector<Size> ImageSizes(const std::vector<PageImage>& images);

}  // namespace pageview
