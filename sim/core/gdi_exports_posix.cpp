// Off Windows: the drawing operations the host exports under GDI's and
// KERNEL32's names, the module's side of the drawing-surface contract.
#include "host/gdi.h"
#include "sim/core/drawing.h"
#include "sim/core/library.h"

namespace drawing = sim::drawing;

extern "C" {

BOOL MoveToEx(HDC hdc, int x, int y, POINT* prev) { return drawing::MoveToEx(hdc, x, y, prev); }
BOOL LineTo(HDC hdc, int x, int y) { return drawing::LineTo(hdc, x, y); }
BOOL Polyline(HDC hdc, const POINT* pts, int n) { return drawing::Polyline(hdc, pts, n); }
BOOL Polygon(HDC hdc, const POINT* pts, int n) { return drawing::Polygon(hdc, pts, n); }
BOOL Ellipse(HDC hdc, int l, int t, int r, int b) { return drawing::Ellipse(hdc, l, t, r, b); }
BOOL Rectangle(HDC hdc, int l, int t, int r, int b) { return drawing::Rectangle(hdc, l, t, r, b); }
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF c) { return drawing::SetPixel(hdc, x, y, c); }
HBRUSH CreateSolidBrush(COLORREF c) { return static_cast<HBRUSH>(drawing::CreateSolidBrush(c)); }
int FillRect(HDC hdc, const RECT* rc, HBRUSH brush) { return drawing::FillRect(hdc, rc, brush); }
BOOL DeleteObject(HGDIOBJ obj) { return drawing::DeleteObject(obj); }
COLORREF SetTextColor(HDC hdc, COLORREF c) { return drawing::SetTextColor(hdc, c); }
BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int len) { return drawing::TextOutA(hdc, x, y, text, len); }
HDC BeginPaint(HWND wnd, PAINTSTRUCT* ps) {
  drawing::BeginPaint(wnd);
  if (ps) *ps = PAINTSTRUCT{};
  return nullptr;
}
BOOL EndPaint(HWND wnd, const PAINTSTRUCT* /*ps*/) { return drawing::EndPaint(wnd); }
FARPROC GetProcAddress(HINSTANCE module, LPCSTR name) {
  return reinterpret_cast<FARPROC>(sim::FindSymbol(module, name));
}
}
