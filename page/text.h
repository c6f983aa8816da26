// Texts written with their own lengths.
#pragma once

#include "host/gdi.h"
#include "page/pixel.h"

// A text and its length, counted by the compiler from a literal.
struct Text {
  template <decltype(sizeof 0) N>
  constexpr Text(const char (&literal)[N]) : chars(literal), length(static_cast<int>(N - 1)) {}
  const char* chars;
  int length;
};

inline void WriteText(HDC hDC, int x, int y, Text text) { TextOutA(hDC, x, y, text.chars, text.length); }

// A text at a design position.
struct Label {
  int x, y;
  Text text;
};

// Writes the label at its scaled position, its x shifted by xOffset pixels.
inline void WriteLabel(HDC hDC, const Label& label, double scale, int xOffset = 0) {
  WriteText(hDC, ShiftedPx(label.x, scale, xOffset), Px(label.y, scale), label.text);
}
