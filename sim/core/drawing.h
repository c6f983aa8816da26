// The module's drawing calls as the host receives them: traced, checked
// against the host's rules (a fault, never a crash), then drawn on the host's
// canvas. The Linux host exports them under GDI's names; the Windows host
// routes the module's GDI imports to them.
#pragma once

#include <cstdint>

#include "sim/core/canvas.h"

namespace sim::drawing {

// Results as GDI's: nonzero on success.
int MoveToEx(void* dc, int x, int y, Point* prev);
int LineTo(void* dc, int x, int y);
int Polyline(void* dc, const Point* pts, int n);
int Polygon(void* dc, const Point* pts, int n);
int Ellipse(void* dc, int l, int t, int r, int b);
int Rectangle(void* dc, int l, int t, int r, int b);
std::uint32_t SetPixel(void* dc, int x, int y, std::uint32_t colour);
void* CreateSolidBrush(std::uint32_t colour);
int FillRect(void* dc, const Rect* rc, void* brush);
int DeleteObject(void* object);
std::uint32_t SetTextColor(void* dc, std::uint32_t colour);
int TextOutA(void* dc, int x, int y, const char* text, int len);
// The paint bracket on the render window: only counted, the host paints
// nothing itself (the caller clears the paint record and returns no context).
void BeginPaint(void* window);
int EndPaint(void* window);

}  // namespace sim::drawing
