// The drawing operations the host exports: checked, traced, then done by the surface.
#include <cstddef>

#include "host/gdi.h"
#include "sim/host.h"
#include "sim/host_drawing.h"
#include "sim/style.h"

using sim::Field;
using sim::TheHost;

DrawingSurface::~DrawingSurface() = default;

void sim::DrawTitle(HDC hdc, int x, const char* title, int len) {
  hdc->SetTextColor(kTitleColour);
  hdc->TextOut(x, 0, title, len);
}

void sim::SelectHostPen(HDC hdc, int index) { hdc->SelectPen(index); }

void sim::SelectHostFont(HDC hdc, int index) { hdc->SelectFont(index); }

namespace {

// A null device context is the module's fault, never a crash.
bool Usable(HDC hdc, const char* operation) {
  if (hdc) return true;
  TheHost().Fault(std::string(operation) + " on a null device context");
  return false;
}

std::string Points(const POINT* pts, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += ' ' + std::to_string(pts[i].x) + ',' + std::to_string(pts[i].y);
  return s;
}

bool UsablePoints(HDC hdc, const POINT* pts, int n, const char* operation) {
  if (!Usable(hdc, operation)) return false;
  if (n >= 0 && (pts || n == 0)) return true;
  TheHost().Fault(std::string(operation) + " with a bad point list");
  return false;
}

}  // namespace

extern "C" {

BOOL MoveToEx(HDC hdc, int x, int y, POINT* prev) {
  TheHost().trace.Add("MoveToEx %d %d", x, y);
  if (!Usable(hdc, "MoveToEx")) return 0;
  if (prev) *prev = hdc->Position();
  hdc->MoveTo(x, y);
  return 1;
}

BOOL LineTo(HDC hdc, int x, int y) {
  TheHost().trace.Add("LineTo %d %d", x, y);
  if (!Usable(hdc, "LineTo")) return 0;
  hdc->LineTo(x, y);
  return 1;
}

BOOL Polyline(HDC hdc, const POINT* pts, int n) {
  if (TheHost().trace.Enabled()) TheHost().trace.Add("Polyline %d%s", n, Points(pts, pts ? n : 0).c_str());
  if (!UsablePoints(hdc, pts, n, "Polyline")) return 0;
  hdc->Polyline(pts, n);
  return 1;
}

BOOL Polygon(HDC hdc, const POINT* pts, int n) {
  if (TheHost().trace.Enabled()) TheHost().trace.Add("Polygon %d%s", n, Points(pts, pts ? n : 0).c_str());
  if (!UsablePoints(hdc, pts, n, "Polygon")) return 0;
  hdc->Polygon(pts, n);
  return 1;
}

BOOL Ellipse(HDC hdc, int l, int t, int r, int b) {
  TheHost().trace.Add("Ellipse %d %d %d %d", l, t, r, b);
  if (!Usable(hdc, "Ellipse")) return 0;
  hdc->Ellipse(l, t, r, b);
  return 1;
}

BOOL Rectangle(HDC hdc, int l, int t, int r, int b) {
  TheHost().trace.Add("Rectangle %d %d %d %d", l, t, r, b);
  if (!Usable(hdc, "Rectangle")) return 0;
  hdc->Rectangle(l, t, r, b);
  return 1;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF c) {
  if (TheHost().trace.Enabled()) TheHost().trace.Add("SetPixel %d %d %s", x, y, Field::Colour(c).c_str());
  if (!Usable(hdc, "SetPixel")) return 0xFFFFFFFF;
  hdc->SetPixel(x, y, c);
  return c;
}

HBRUSH CreateSolidBrush(COLORREF c) {
  sim::Host& host = TheHost();
  if (host.trace.Enabled()) host.trace.Add("CreateSolidBrush %s", Field::Colour(c).c_str());
  HBRUSH brush = host.brushes.Create(c);
  if (!brush) host.Fault("too many live brushes");
  return brush;
}

int FillRect(HDC hdc, const RECT* rc, HBRUSH brush) {
  sim::Host& host = TheHost();
  COLORREF colour = 0;
  const bool live = host.brushes.Find(brush, &colour);
  if (host.trace.Enabled()) {
    const std::string fill = live ? Field::Colour(colour) : "stale";
    if (rc)
      host.trace.Add("FillRect %d %d %d %d %s", rc->left, rc->top, rc->right, rc->bottom, fill.c_str());
    else
      host.trace.Add("FillRect null %s", fill.c_str());
  }
  if (!live) host.Fault("FillRect with a deleted or unknown brush");
  if (!live || !rc || !Usable(hdc, "FillRect")) return 0;
  hdc->FillRect(*rc, colour);
  return 1;
}

BOOL DeleteObject(HGDIOBJ obj) {
  sim::Host& host = TheHost();
  const auto brush = static_cast<HBRUSH>(obj);
  COLORREF colour = 0;
  const bool live = host.brushes.Find(brush, &colour);
  if (host.trace.Enabled()) host.trace.Add("DeleteObject %s", live ? Field::Colour(colour).c_str() : "stale");
  if (!live) {
    host.Fault("DeleteObject of a deleted or unknown brush");
    return 0;
  }
  host.brushes.Delete(brush);
  return 1;
}

COLORREF SetTextColor(HDC hdc, COLORREF c) {
  if (TheHost().trace.Enabled()) TheHost().trace.Add("SetTextColor %s", Field::Colour(c).c_str());
  if (!Usable(hdc, "SetTextColor")) return 0xFFFFFFFF;
  return hdc->SetTextColor(c);
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int len) {
  sim::Host& host = TheHost();
  if (host.trace.Enabled()) host.trace.Add("TextOutA %d %d %d %s", x, y, len, Field::Text(text, text ? len : 0).c_str());
  if (!Usable(hdc, "TextOutA")) return 0;
  if (!text && len > 0) {
    host.Fault("TextOutA with null text");
    return 0;
  }
  hdc->TextOut(x, y, text, len);
  return 1;
}

HDC BeginPaint(HWND wnd, PAINTSTRUCT* ps) {
  sim::Host& host = TheHost();
  host.trace.Add("BeginPaint");
  if (wnd != host.renderWindow) host.Fault("BeginPaint on a window the host does not know");
  ++host.openPaints;
  if (ps) *ps = PAINTSTRUCT{};
  return nullptr;
}

BOOL EndPaint(HWND wnd, const PAINTSTRUCT* /*ps*/) {
  sim::Host& host = TheHost();
  host.trace.Add("EndPaint");
  if (wnd != host.renderWindow) host.Fault("EndPaint on a window the host does not know");
  if (host.openPaints == 0) {
    host.Fault("EndPaint without BeginPaint");
    return 0;
  }
  --host.openPaints;
  return 1;
}
}
