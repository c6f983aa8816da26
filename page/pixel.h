// Design units to pixels.
#pragma once

#include <limits.h>

#include "host/gdi.h"

// (int)(design × scale), truncated toward zero, with defined results where a
// plain conversion would not have one: NaN gives 0, out-of-range values
// saturate at INT_MIN and INT_MAX.
inline int Px(double design, double scale) {
  const double v = design * scale;
  if (v != v) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

// Px plus a pixel offset added after scaling; saturates instead of overflowing.
inline int ShiftedPx(double design, double scale, int offset) {
  const long long sum = static_cast<long long>(Px(design, scale)) + offset;
  return sum > INT_MAX ? INT_MAX : sum < INT_MIN ? INT_MIN : static_cast<int>(sum);
}

// A design rectangle in pixels, each edge converted on its own.
inline RECT PxRect(double left, double top, double right, double bottom, double scale) {
  return {Px(left, scale), Px(top, scale), Px(right, scale), Px(bottom, scale)};
}

struct DesignPoint {
  int x, y;
};

template <int N>
struct PixelPoints {
  static constexpr int count = N;
  POINT points[N];
};

// A design point list in pixels, every x shifted by xOffset pixels after scaling.
template <int N>
PixelPoints<N> ToPixels(const DesignPoint (&points)[N], double scale, int xOffset = 0) {
  PixelPoints<N> pixels{};
  for (int i = 0; i < N; ++i) pixels.points[i] = {ShiftedPx(points[i].x, scale, xOffset), Px(points[i].y, scale)};
  return pixels;
}
