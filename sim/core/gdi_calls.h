// The GDI calls a page draws with, listed once for the host's two ways of
// taking them: exported under their own names off Windows
// (gdi_exports_posix.cpp), routed from a module's imports on Windows
// (gdi_imports_windows.cpp). X(result, name, parameters, arguments) for each;
// the paint bracket, which hands out no device context, is written apart.
#pragma once

#define VITALS_GDI_CALLS(X)                                                          \
  X(BOOL, MoveToEx, (HDC dc, int x, int y, POINT* prev), (dc, x, y, prev))           \
  X(BOOL, LineTo, (HDC dc, int x, int y), (dc, x, y))                                \
  X(BOOL, Polyline, (HDC dc, const POINT* pts, int n), (dc, pts, n))                 \
  X(BOOL, Polygon, (HDC dc, const POINT* pts, int n), (dc, pts, n))                  \
  X(BOOL, Ellipse, (HDC dc, int l, int t, int r, int b), (dc, l, t, r, b))           \
  X(BOOL, Rectangle, (HDC dc, int l, int t, int r, int b), (dc, l, t, r, b))         \
  X(COLORREF, SetPixel, (HDC dc, int x, int y, COLORREF c), (dc, x, y, c))           \
  X(HBRUSH, CreateSolidBrush, (COLORREF c), (c))                                     \
  X(int, FillRect, (HDC dc, const RECT* rc, HBRUSH brush), (dc, rc, brush))          \
  X(BOOL, DeleteObject, (HGDIOBJ object), (object))                                  \
  X(COLORREF, SetTextColor, (HDC dc, COLORREF c), (dc, c))                           \
  X(BOOL, TextOutA, (HDC dc, int x, int y, LPCSTR text, int len), (dc, x, y, text, len))
