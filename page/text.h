// Texts written with their own lengths.
#pragma once

#include <string_view>

#include "host/gdi.h"
#include "page/pixel.h"

inline void WriteText(HDC hDC, int x, int y, std::string_view text) {
  TextOutA(hDC, x, y, text.data(), static_cast<int>(text.size()));
}

// A text at a design position.
struct Label {
  int x, y;
  std::string_view text;
};

// Writes the label at its scaled position, its x shifted by xOffset pixels.
inline void WriteLabel(HDC hDC, const Label& label, double scale, int xOffset = 0) {
  WriteText(hDC, ShiftedPx(label.x, scale, xOffset), Px(label.y, scale), label.text);
}
