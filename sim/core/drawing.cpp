#include "sim/core/drawing.h"

#include <string>

#include "sim/core/host.h"

namespace sim::drawing {
namespace {

constexpr std::uint32_t kInvalidColour = 0xFFFFFFFF;

Canvas& Dc() { return *TheHost().canvas; }

// A null device context is the module's fault, never a crash.
bool Usable(void* dc, const char* operation) {
  if (dc) return true;
  TheHost().Fault(std::string(operation) + " on a null device context");
  return false;
}

std::string Points(const Point* pts, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += ' ' + std::to_string(pts[i].x) + ',' + std::to_string(pts[i].y);
  return s;
}

bool UsablePoints(void* dc, const Point* pts, int n, const char* operation) {
  if (!Usable(dc, operation)) return false;
  if (n >= 0 && (pts || n == 0)) return true;
  TheHost().Fault(std::string(operation) + " with a bad point list");
  return false;
}

}  // namespace

int MoveToEx(void* dc, int x, int y, Point* prev) {
  TheHost().trace.Add("MoveToEx %d %d", x, y);
  if (!Usable(dc, "MoveToEx")) return 0;
  if (prev) *prev = Dc().Position(dc);
  Dc().MoveTo(dc, x, y);
  return 1;
}

int LineTo(void* dc, int x, int y) {
  TheHost().trace.Add("LineTo %d %d", x, y);
  if (!Usable(dc, "LineTo")) return 0;
  Dc().LineTo(dc, x, y);
  return 1;
}

int Polyline(void* dc, const Point* pts, int n) {
  if (TheHost().trace.Enabled()) TheHost().trace.Add("Polyline %d%s", n, Points(pts, pts ? n : 0).c_str());
  if (!UsablePoints(dc, pts, n, "Polyline")) return 0;
  Dc().Polyline(dc, pts, n);
  return 1;
}

int Polygon(void* dc, const Point* pts, int n) {
  if (TheHost().trace.Enabled()) TheHost().trace.Add("Polygon %d%s", n, Points(pts, pts ? n : 0).c_str());
  if (!UsablePoints(dc, pts, n, "Polygon")) return 0;
  Dc().Polygon(dc, pts, n);
  return 1;
}

int Ellipse(void* dc, int l, int t, int r, int b) {
  TheHost().trace.Add("Ellipse %d %d %d %d", l, t, r, b);
  if (!Usable(dc, "Ellipse")) return 0;
  Dc().Ellipse(dc, l, t, r, b);
  return 1;
}

int Rectangle(void* dc, int l, int t, int r, int b) {
  TheHost().trace.Add("Rectangle %d %d %d %d", l, t, r, b);
  if (!Usable(dc, "Rectangle")) return 0;
  Dc().Rectangle(dc, l, t, r, b);
  return 1;
}

std::uint32_t SetPixel(void* dc, int x, int y, std::uint32_t colour) {
  if (TheHost().trace.Enabled()) TheHost().trace.Add("SetPixel %d %d %s", x, y, Field::Colour(colour).c_str());
  if (!Usable(dc, "SetPixel")) return kInvalidColour;
  Dc().SetPixel(dc, x, y, colour);
  return colour;
}

void* CreateSolidBrush(std::uint32_t colour) {
  Host& host = TheHost();
  if (host.trace.Enabled()) host.trace.Add("CreateSolidBrush %s", Field::Colour(colour).c_str());
  void* brush = host.brushes.Create(colour);
  if (!brush) host.Fault("too many live brushes");
  return brush;
}

int FillRect(void* dc, const Rect* rc, void* brush) {
  Host& host = TheHost();
  std::uint32_t colour = 0;
  const bool live = host.brushes.Find(brush, &colour);
  if (host.trace.Enabled()) {
    const std::string fill = live ? Field::Colour(colour) : "stale";
    if (rc)
      host.trace.Add("FillRect %d %d %d %d %s", rc->left, rc->top, rc->right, rc->bottom, fill.c_str());
    else
      host.trace.Add("FillRect null %s", fill.c_str());
  }
  if (!live) host.Fault("FillRect with a deleted or unknown brush");
  if (!live || !rc || !Usable(dc, "FillRect")) return 0;
  Dc().FillRect(dc, *rc, colour);
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
  if (!Usable(dc, "SetTextColor")) return kInvalidColour;
  return Dc().SetTextColor(dc, colour);
}

int TextOutA(void* dc, int x, int y, const char* text, int len) {
  Host& host = TheHost();
  if (host.trace.Enabled()) host.trace.Add("TextOutA %d %d %d %s", x, y, len, Field::Text(text, text ? len : 0).c_str());
  if (!Usable(dc, "TextOutA")) return 0;
  if (!text && len > 0) {
    host.Fault("TextOutA with null text");
    return 0;
  }
  Dc().TextOut(dc, x, y, text, len);
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
