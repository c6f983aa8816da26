#include "sim/core/drawing.h"

#include <string>

#include "sim/core/host.h"

namespace sim::drawing {
namespace {

constexpr std::uint32_t kInvalidColour = 0xFFFFFFFF;

}  // namespace

DrawingSurface* Target(void* dc, const char* operation) {
  Host& host = TheHost();
  if (host.drawing && dc == host.drawing->Dc()) return host.drawing;
  host.Fault(std::string(operation) +
             (dc ? " on a device context the host did not hand out" : " on a null device context"));
  return nullptr;
}

namespace {

std::string Points(const POINT* pts, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += ' ' + std::to_string(pts[i].x) + ',' + std::to_string(pts[i].y);
  return s;
}

DrawingSurface* TargetOfPoints(void* dc, const POINT* pts, int n, const char* operation) {
  DrawingSurface* surface = Target(dc, operation);
  if (!surface || (n >= 0 && (pts || n == 0))) return surface;
  TheHost().Fault(std::string(operation) + " with a bad point list");
  return nullptr;
}

}  // namespace

int MoveToEx(void* dc, int x, int y, POINT* prev) {
  TheHost().trace.Add("MoveToEx %d %d", x, y);
  DrawingSurface* surface = Target(dc, "MoveToEx");
  if (!surface) return 0;
  if (prev) *prev = surface->Position();
  surface->MoveTo(x, y);
  return 1;
}

int LineTo(void* dc, int x, int y) {
  TheHost().trace.Add("LineTo %d %d", x, y);
  DrawingSurface* surface = Target(dc, "LineTo");
  if (!surface) return 0;
  surface->LineTo(x, y);
  return 1;
}

int Polyline(void* dc, const POINT* pts, int n) {
  if (TheHost().trace.Enabled()) TheHost().trace.Add("Polyline %d%s", n, Points(pts, pts ? n : 0).c_str());
  DrawingSurface* surface = TargetOfPoints(dc, pts, n, "Polyline");
  if (!surface) return 0;
  surface->Polyline(pts, n);
  return 1;
}

int Polygon(void* dc, const POINT* pts, int n) {
  if (TheHost().trace.Enabled()) TheHost().trace.Add("Polygon %d%s", n, Points(pts, pts ? n : 0).c_str());
  DrawingSurface* surface = TargetOfPoints(dc, pts, n, "Polygon");
  if (!surface) return 0;
  surface->Polygon(pts, n);
  return 1;
}

int Ellipse(void* dc, int l, int t, int r, int b) {
  TheHost().trace.Add("Ellipse %d %d %d %d", l, t, r, b);
  DrawingSurface* surface = Target(dc, "Ellipse");
  if (!surface) return 0;
  surface->Ellipse(l, t, r, b);
  return 1;
}

int Rectangle(void* dc, int l, int t, int r, int b) {
  TheHost().trace.Add("Rectangle %d %d %d %d", l, t, r, b);
  DrawingSurface* surface = Target(dc, "Rectangle");
  if (!surface) return 0;
  surface->Rectangle(l, t, r, b);
  return 1;
}

std::uint32_t SetPixel(void* dc, int x, int y, std::uint32_t colour) {
  if (TheHost().trace.Enabled()) TheHost().trace.Add("SetPixel %d %d %s", x, y, Field::Colour(colour).c_str());
  DrawingSurface* surface = Target(dc, "SetPixel");
  if (!surface) return kInvalidColour;
  surface->SetPixel(x, y, colour);
  return colour;
}

void* CreateSolidBrush(std::uint32_t colour) {
  Host& host = TheHost();
  if (host.trace.Enabled()) host.trace.Add("CreateSolidBrush %s", Field::Colour(colour).c_str());
  void* brush = host.brushes.Create(colour);
  if (!brush) host.Fault("too many live brushes");
  return brush;
}

int FillRect(void* dc, const RECT* rc, void* brush) {
  Host& host = TheHost();
  std::uint32_t colour = 0;
  const bool live = host.brushes.Find(brush, &colour);
  if (host.trace.Enabled()) {
    const std::string fill = live ? Field::Colour(colour) : "stale";
    if (rc)
      host.trace.Add("FillRect %d %d %d %d %s", int(rc->left), int(rc->top), int(rc->right), int(rc->bottom),
                     fill.c_str());
    else
      host.trace.Add("FillRect null %s", fill.c_str());
  }
  if (!live) host.Fault("FillRect with a deleted or unknown brush");
  DrawingSurface* surface = live && rc ? Target(dc, "FillRect") : nullptr;
  if (!surface) return 0;
  surface->FillRect(*rc, colour);
  return 1;
}

int DeleteObject(void* object) {
  Host& host = TheHost();
  std::uint32_t colour = 0;
  const bool live = host.brushes.Find(object, &colour);
  if (host.trace.Enabled()) host.trace.Add("DeleteObject %s", live ? Field::Colour(colour).c_str() : "stale");
  if (!live) {
    host.Fault("DeleteObject of a deleted or unknown brush");
    return 0;
  }
  host.brushes.Delete(object);
  return 1;
}

std::uint32_t SetTextColor(void* dc, std::uint32_t colour) {
  if (TheHost().trace.Enabled()) TheHost().trace.Add("SetTextColor %s", Field::Colour(colour).c_str());
  DrawingSurface* surface = Target(dc, "SetTextColor");
  return surface ? surface->SetTextColor(colour) : kInvalidColour;
}

int TextOutA(void* dc, int x, int y, const char* text, int len) {
  Host& host = TheHost();
  if (host.trace.Enabled())
    host.trace.Add("TextOutA %d %d %d %s", x, y, len, Field::Text(text, text ? len : 0).c_str());
  DrawingSurface* surface = Target(dc, "TextOutA");
  if (!surface) return 0;
  if (!text && len > 0) {
    host.Fault("TextOutA with null text");
    return 0;
  }
  surface->TextOut(x, y, text, len);
  return 1;
}

void BeginPaint(void* window) {
  Host& host = TheHost();
  host.trace.Add("BeginPaint");
  if (window != host.renderWindow) host.Fault("BeginPaint on a window the host does not know");
  ++host.openPaints;
}

int EndPaint(void* window) {
  Host& host = TheHost();
  host.trace.Add("EndPaint");
  if (window != host.renderWindow) host.Fault("EndPaint on a window the host does not know");
  if (host.openPaints == 0) {
    host.Fault("EndPaint without BeginPaint");
    return 0;
  }
  --host.openPaints;
  return 1;
}

}  // namespace sim::drawing
