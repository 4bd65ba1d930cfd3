// Drawing into any device context over what it holds: straight into the pixels of a 32-bit DIB
// section selected in a plain memory DC, otherwise through a copy of the area and back.
#pragma once

#include <windows.h>

#include <functional>

#include "standins/movieplayer/core/Painter.h"
#include "standins/movieplayer/core/Rasterizer.h"

namespace movieplayer {

// draw gets a canvas and the bounds within it. False when nothing could be drawn.
bool DrawIntoDc(HDC hdc, const RECT& bounds, const std::function<void(Canvas&, const PixelRect&)>& draw);

}  // namespace movieplayer
