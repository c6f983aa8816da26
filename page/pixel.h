// Design units to pixels.
#pragma once

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
