// Texts placed at design positions, written with their own lengths.
#pragma once

#include <algorithm>
#include <climits>
#include <string_view>

#include "host/gdi.h"
#include "page/pixel.h"

struct Label {
  int x, y;
  std::string_view text;
};

// Px plus a pixel offset added after scaling; saturates instead of overflowing.
inline int ShiftedPx(double design, double scale, int offset) {
  const long long sum = static_cast<long long>(Px(design, scale)) + offset;
  return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

// Writes the label at its scaled position, its x shifted by xOffset pixels.
inline void WriteLabel(HDC hDC, const Label& label, double scale, int xOffset = 0) {
  TextOutA(hDC, ShiftedPx(label.x, scale, xOffset), Px(label.y, scale), label.text.data(),
           static_cast<int>(label.text.size()));
}
