// What a device context does, for the stand-in host. The surfaces it hands
// to refreshes implement this (the rasteriser and the null surface; on
// Windows a GDI memory device context), and the host's traced GDI calls and
// its display base operations draw through it. The module never sees it: it
// only passes the HDC it was given.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include "host/gdi.h"

// Stock objects and a background mode, as <windows.h> numbers them.
constexpr int NULL_BRUSH = 5;  // figures hollow
constexpr int NULL_PEN = 8;    // no lines, no outlines
constexpr int TRANSPARENT = 1;
#endif

// Coordinates may be anything from INT_MIN to INT_MAX; an implementation clips.
class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  // The HDC a module draws with: the surface itself, or a GDI device context.
  virtual void* Dc() { return this; }
  virtual POINT Position() const = 0;  // the current position
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;  // current pen, end point excluded
  virtual void Polyline(const POINT* pts, int n) = 0;
  virtual void Polygon(const POINT* pts,
                       int n) = 0;  // alternate fill, current brush and pen
  virtual void Ellipse(int l, int t, int r, int b) = 0;
  virtual void Rectangle(int l, int t, int r, int b) = 0;
  virtual void SetPixel(int x, int y, COLORREF c) = 0;
  virtual void FillRect(const RECT& rc,
                        COLORREF brush) = 0;      // edges in any order
  virtual COLORREF SetTextColor(COLORREF c) = 0;  // returns the previous colour
  virtual void TextOut(int x, int y, const char* text,
                       int len) = 0;  // top-left reference
  virtual void SetBkMode(int mode) = 0;
  virtual void SelectPen(int index) = 0;           // host default pen; an index the host
                                                   // lacks selects nothing
  virtual void SelectFont(int index) = 0;          // host default font; likewise
  virtual void SelectStockObject(int object) = 0;  // NULL_BRUSH or NULL_PEN; any other selects nothing
  virtual void Clear() = 0;                        // every pixel black
};
