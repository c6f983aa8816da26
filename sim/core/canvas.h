// Where the module's drawing lands: the stand-in surfaces on Linux, the real
// GDI on Windows. The host's traced drawing calls (drawing.h) and its display
// base operations draw through it; dc is the device context the module passes.
#pragma once

#include <cstdint>

namespace sim {

// Laid out as GDI's POINT and RECT.
struct Point {
  std::int32_t x, y;
};
struct Rect {
  std::int32_t left, top, right, bottom;
};

// Stock objects and a background mode, as GDI numbers them.
constexpr int kNullBrush = 5;
constexpr int kNullPen = 8;
constexpr int kTransparent = 1;

class Canvas {
 public:
  virtual ~Canvas() = default;
  // Called with each module just loaded, before any of its drawing.
  virtual void Adopt(void* /*library*/) {}
  virtual Point Position(void* dc) = 0;
  virtual void MoveTo(void* dc, int x, int y) = 0;
  virtual void LineTo(void* dc, int x, int y) = 0;
  virtual void Polyline(void* dc, const Point* pts, int n) = 0;
  virtual void Polygon(void* dc, const Point* pts, int n) = 0;
  virtual void Ellipse(void* dc, int l, int t, int r, int b) = 0;
  virtual void Rectangle(void* dc, int l, int t, int r, int b) = 0;
  virtual void SetPixel(void* dc, int x, int y, std::uint32_t colour) = 0;
  virtual void FillRect(void* dc, const Rect& rc, std::uint32_t colour) = 0;
  virtual std::uint32_t SetTextColor(void* dc, std::uint32_t colour) = 0;  // the previous colour
  virtual void TextOut(void* dc, int x, int y, const char* text, int len) = 0;
  virtual void SetBkMode(void* dc, int mode) = 0;
  // Host default pen and font by index; an index the host lacks selects nothing.
  virtual void SelectPen(void* dc, int index) = 0;
  virtual void SelectFont(void* dc, int index) = 0;
  // A stock object: kNullBrush (figures hollow) or kNullPen (no lines).
  virtual void SelectStockObject(void* dc, int object) = 0;
  // Every pixel black.
  virtual void Clear(void* dc) = 0;
};

// The platform's canvas, for the life of the process.
Canvas& PlatformCanvas();

}  // namespace sim
