// Linux: the drawing operations the host exports under GDI's names, and the
// canvas they draw on, whose device contexts are the stand-in's surfaces.
#include "host/gdi.h"
#include "sim/core/drawing.h"

DrawingSurface::~DrawingSurface() = default;

namespace sim {
namespace {

static_assert(kNullBrush == NULL_BRUSH && kNullPen == NULL_PEN && kTransparent == TRANSPARENT);

DrawingSurface& Surface(void* dc) { return *static_cast<DrawingSurface*>(dc); }
const POINT* Points(const Point* pts) { return reinterpret_cast<const POINT*>(pts); }

class SurfaceCanvas final : public Canvas {
 public:
  Point Position(void* dc) override {
    const POINT p = Surface(dc).Position();
    return {p.x, p.y};
  }
  void MoveTo(void* dc, int x, int y) override { Surface(dc).MoveTo(x, y); }
  void LineTo(void* dc, int x, int y) override { Surface(dc).LineTo(x, y); }
  void Polyline(void* dc, const Point* pts, int n) override { Surface(dc).Polyline(Points(pts), n); }
  void Polygon(void* dc, const Point* pts, int n) override { Surface(dc).Polygon(Points(pts), n); }
  void Ellipse(void* dc, int l, int t, int r, int b) override { Surface(dc).Ellipse(l, t, r, b); }
  void Rectangle(void* dc, int l, int t, int r, int b) override { Surface(dc).Rectangle(l, t, r, b); }
  void SetPixel(void* dc, int x, int y, std::uint32_t c) override { Surface(dc).SetPixel(x, y, c); }
  void FillRect(void* dc, const Rect& rc, std::uint32_t c) override {
    Surface(dc).FillRect(RECT{rc.left, rc.top, rc.right, rc.bottom}, c);
  }
  std::uint32_t SetTextColor(void* dc, std::uint32_t c) override { return Surface(dc).SetTextColor(c); }
  void TextOut(void* dc, int x, int y, const char* text, int len) override { Surface(dc).TextOut(x, y, text, len); }
  void SetBkMode(void* dc, int mode) override { Surface(dc).SetBkMode(mode); }
  void SelectPen(void* dc, int index) override { Surface(dc).SelectPen(index); }
  void SelectFont(void* dc, int index) override { Surface(dc).SelectFont(index); }
  void SelectStockObject(void* dc, int object) override { Surface(dc).SelectStockObject(object); }
  void Clear(void* dc) override { Surface(dc).Clear(); }
};

}  // namespace

Canvas& PlatformCanvas() {
  static SurfaceCanvas canvas;
  return canvas;
}

}  // namespace sim

namespace drawing = sim::drawing;

extern "C" {

BOOL MoveToEx(HDC hdc, int x, int y, POINT* prev) {
  return drawing::MoveToEx(hdc, x, y, reinterpret_cast<sim::Point*>(prev));
}
BOOL LineTo(HDC hdc, int x, int y) { return drawing::LineTo(hdc, x, y); }
BOOL Polyline(HDC hdc, const POINT* pts, int n) {
  return drawing::Polyline(hdc, reinterpret_cast<const sim::Point*>(pts), n);
}
BOOL Polygon(HDC hdc, const POINT* pts, int n) {
  return drawing::Polygon(hdc, reinterpret_cast<const sim::Point*>(pts), n);
}
BOOL Ellipse(HDC hdc, int l, int t, int r, int b) { return drawing::Ellipse(hdc, l, t, r, b); }
BOOL Rectangle(HDC hdc, int l, int t, int r, int b) { return drawing::Rectangle(hdc, l, t, r, b); }
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF c) { return drawing::SetPixel(hdc, x, y, c); }
HBRUSH CreateSolidBrush(COLORREF c) { return static_cast<HBRUSH>(drawing::CreateSolidBrush(c)); }
int FillRect(HDC hdc, const RECT* rc, HBRUSH brush) {
  return drawing::FillRect(hdc, reinterpret_cast<const sim::Rect*>(rc), brush);
}
BOOL DeleteObject(HGDIOBJ obj) { return drawing::DeleteObject(obj); }
COLORREF SetTextColor(HDC hdc, COLORREF c) { return drawing::SetTextColor(hdc, c); }
BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int len) { return drawing::TextOutA(hdc, x, y, text, len); }
HDC BeginPaint(HWND wnd, PAINTSTRUCT* ps) {
  drawing::BeginPaint(wnd);
  if (ps) *ps = PAINTSTRUCT{};
  return nullptr;
}
BOOL EndPaint(HWND wnd, const PAINTSTRUCT* /*ps*/) { return drawing::EndPaint(wnd); }
}
