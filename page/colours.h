// The page's colours.
#pragma once

#include "host/gdi.h"

constexpr COLORREF kTextGreen = RGB(0, 200, 0);   // ordinary text, the zero marks
constexpr COLORREF kRed = RGB(255, 0, 0);         // "off", the brake mark
constexpr COLORREF kOrange = RGB(255, 165, 0);    // legend text
constexpr COLORREF kGreen = RGB(0, 255, 0);       // thruster swatch "+"
constexpr COLORREF kYellow = RGB(255, 255, 0);    // thruster swatch "-"
constexpr COLORREF kGrey = RGB(192, 192, 192);    // control-surface swatch "+"
constexpr COLORREF kWhite = RGB(255, 255, 255);   // control-surface swatch "-"
