// The module's drawing calls as the host receives them: traced, checked
// against the host's rules (a fault, never a crash), then drawn on the
// surface the host handed to the refresh. The host exports them under GDI's
// names (gdi_exports_posix.cpp); on Windows it routes the module's GDI
// imports to them (gdi_imports_windows.cpp).
#pragma once

#include <cstdint>

#include "sim/surface/drawing_surface.h"

namespace sim::drawing {

// The surface a call on dc draws on: the host's drawing surface when dc is
// its HDC; otherwise null, with a fault naming the operation.
DrawingSurface* Target(void* dc, const char* operation);

// Results as GDI's: nonzero on success.
int MoveToEx(void* dc, int x, int y, POINT* prev);
int LineTo(void* dc, int x, int y);
int Polyline(void* dc, const POINT* pts, int n);
int Polygon(void* dc, const POINT* pts, int n);
int Ellipse(void* dc, int l, int t, int r, int b);
int Rectangle(void* dc, int l, int t, int r, int b);
std::uint32_t SetPixel(void* dc, int x, int y, std::uint32_t colour);
void* CreateSolidBrush(std::uint32_t colour);
int FillRect(void* dc, const RECT* rc, void* brush);
int DeleteObject(void* object);
std::uint32_t SetTextColor(void* dc, std::uint32_t colour);
int TextOutA(void* dc, int x, int y, const char* text, int len);
// The paint bracket on the render window: only counted, the host paints
// nothing itself (the caller clears the paint record and returns no context).
void BeginPaint(void* window);
int EndPaint(void* window);

#ifdef _WIN32
// Points a loaded module's GDI and USER imports at the calls above.
void RouteDrawingImports(void* module);
#endif

}  // namespace sim::drawing
