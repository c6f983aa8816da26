// What the raster surface's primitives share: GDI's integer rules for
// coordinates and their edges.
#pragma once

#include <cstdint>

namespace sim::raster {

using i64 = std::int64_t;
__extension__ typedef __int128 i128;  // products of two 33-bit differences

constexpr std::uint32_t kRgbMask = 0x00FFFFFF;  // a COLORREF's colour bits

// GDI keeps coordinates in 32-bit ints; where its sums wrap, these do too.
inline int Wrap(i64 v) { return static_cast<int>(static_cast<std::uint32_t>(v)); }

// Puts a pair of edges in order; an inverted pair covers (e, s], not [e, s).
inline void OrderEnds(int* s, int* e) {
  if (*s <= *e) return;
  const int start = *s;
  *s = Wrap(i64(*e) + 1);
  *e = Wrap(i64(start) + 1);
}

}  // namespace sim::raster
