// Design units to pixels.
#pragma once

#include <algorithm>
#include <climits>
#include <cmath>

// (int)(design × scale), truncated toward zero, with defined results where a
// plain conversion would not have one: NaN gives 0, out-of-range values
// saturate at INT_MIN and INT_MAX.
inline int Px(double design, double scale) {
  const double v = design * scale;
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

// Px plus a pixel offset added after scaling; saturates instead of overflowing.
inline int ShiftedPx(double design, double scale, int offset) {
  const long long sum = static_cast<long long>(Px(design, scale)) + offset;
  return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}
