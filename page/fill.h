// Fills that own their brush.
#pragma once

#include "host/gdi.h"
#include "page/pixel.h"

// Fills a design rectangle with a solid brush created for it and deleted at once.
inline void FillDesignRect(HDC hDC, double left, double top, double right, double bottom, COLORREF colour,
                           double scale) {
  const RECT rect = PxRect(left, top, right, bottom, scale);
  const HBRUSH brush = CreateSolidBrush(colour);
  FillRect(hDC, &rect, brush);
  DeleteObject(brush);
}
