// The stand-in host's look: default pens, font and title.
#pragma once

#include "host/gdi.h"

namespace sim {

// Host default pens 1 to 3: solid, one pixel wide, visible on black, white and grey.
constexpr COLORREF kDefaultPens[3] = {RGB(0, 128, 255), RGB(255, 128, 0), RGB(255, 0, 255)};

// Title: colour and top-left reference point in pixels.
constexpr COLORREF kTitleColour = RGB(128, 224, 255);
constexpr int kTitleX = 2;
constexpr int kTitleY = 1;

// Host default font 1: a small sans face, drawn without anti-aliasing.
constexpr const char* kDefaultFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kDefaultFontPixels = 9;

}  // namespace sim
