// Windows: the canvas is the real GDI. A module's GDI and USER imports are
// routed through the host's traced drawing calls, which then draw here.
#include <windows.h>

#include <cstring>
#include <iterator>

#include "sim/core/drawing.h"
#include "sim/surface/gdi_objects.h"
#include "sim/surface/style.h"

namespace sim {
namespace {

static_assert(kNullBrush == NULL_BRUSH && kNullPen == NULL_PEN && kTransparent == TRANSPARENT);

HDC Dc(void* dc) { return static_cast<HDC>(dc); }
const POINT* Points(const Point* pts) { return reinterpret_cast<const POINT*>(pts); }

BOOL WINAPI TracedMoveToEx(HDC dc, int x, int y, LPPOINT prev) {
  return drawing::MoveToEx(dc, x, y, reinterpret_cast<Point*>(prev));
}
BOOL WINAPI TracedLineTo(HDC dc, int x, int y) { return drawing::LineTo(dc, x, y); }
BOOL WINAPI TracedPolyline(HDC dc, const POINT* pts, int n) {
  return drawing::Polyline(dc, reinterpret_cast<const Point*>(pts), n);
}
BOOL WINAPI TracedPolygon(HDC dc, const POINT* pts, int n) {
  return drawing::Polygon(dc, reinterpret_cast<const Point*>(pts), n);
}
BOOL WINAPI TracedEllipse(HDC dc, int l, int t, int r, int b) { return drawing::Ellipse(dc, l, t, r, b); }
BOOL WINAPI TracedRectangle(HDC dc, int l, int t, int r, int b) { return drawing::Rectangle(dc, l, t, r, b); }
COLORREF WINAPI TracedSetPixel(HDC dc, int x, int y, COLORREF c) { return drawing::SetPixel(dc, x, y, c); }
HBRUSH WINAPI TracedCreateSolidBrush(COLORREF c) { return static_cast<HBRUSH>(drawing::CreateSolidBrush(c)); }
int WINAPI TracedFillRect(HDC dc, const RECT* rc, HBRUSH brush) {
  return drawing::FillRect(dc, reinterpret_cast<const Rect*>(rc), brush);
}
BOOL WINAPI TracedDeleteObject(HGDIOBJ object) { return drawing::DeleteObject(object); }
COLORREF WINAPI TracedSetTextColor(HDC dc, COLORREF c) { return drawing::SetTextColor(dc, c); }
BOOL WINAPI TracedTextOutA(HDC dc, int x, int y, LPCSTR text, int len) { return drawing::TextOutA(dc, x, y, text, len); }
HDC WINAPI TracedBeginPaint(HWND window, LPPAINTSTRUCT paint) {
  drawing::BeginPaint(window);
  if (paint) *paint = PAINTSTRUCT{};
  return nullptr;
}
BOOL WINAPI TracedEndPaint(HWND window, const PAINTSTRUCT*) { return drawing::EndPaint(window); }

struct Route {
  const char* name;
  ULONG_PTR hook;
};
const Route kRoutes[] = {
    {"MoveToEx", reinterpret_cast<ULONG_PTR>(TracedMoveToEx)},
    {"LineTo", reinterpret_cast<ULONG_PTR>(TracedLineTo)},
    {"Polyline", reinterpret_cast<ULONG_PTR>(TracedPolyline)},
    {"Polygon", reinterpret_cast<ULONG_PTR>(TracedPolygon)},
    {"Ellipse", reinterpret_cast<ULONG_PTR>(TracedEllipse)},
    {"Rectangle", reinterpret_cast<ULONG_PTR>(TracedRectangle)},
    {"SetPixel", reinterpret_cast<ULONG_PTR>(TracedSetPixel)},
    {"CreateSolidBrush", reinterpret_cast<ULONG_PTR>(TracedCreateSolidBrush)},
    {"FillRect", reinterpret_cast<ULONG_PTR>(TracedFillRect)},
    {"DeleteObject", reinterpret_cast<ULONG_PTR>(TracedDeleteObject)},
    {"SetTextColor", reinterpret_cast<ULONG_PTR>(TracedSetTextColor)},
    {"TextOutA", reinterpret_cast<ULONG_PTR>(TracedTextOutA)},
    {"BeginPaint", reinterpret_cast<ULONG_PTR>(TracedBeginPaint)},
    {"EndPaint", reinterpret_cast<ULONG_PTR>(TracedEndPaint)},
};

// Points the module's import address table entries for the drawing operations
// at the traced calls.
void RouteDrawingImports(HMODULE module) {
  auto* base = reinterpret_cast<BYTE*>(module);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!imports.VirtualAddress) return;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
    const char* dll = reinterpret_cast<const char*>(base + d->Name);
    if (_stricmp(dll, "GDI32.dll") != 0 && _stricmp(dll, "USER32.dll") != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + (d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk));
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const char* name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name;
      for (const Route& route : kRoutes) {
        if (std::strcmp(name, route.name) != 0) continue;
        DWORD protection = 0;
        VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection);
        slots->u1.Function = route.hook;
        VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
      }
    }
  }
}

class GdiCanvas final : public Canvas {
 public:
  void Adopt(void* library) override { RouteDrawingImports(static_cast<HMODULE>(library)); }
  Point Position(void* dc) override {
    POINT p{};
    GetCurrentPositionEx(Dc(dc), &p);
    return {p.x, p.y};
  }
  void MoveTo(void* dc, int x, int y) override { ::MoveToEx(Dc(dc), x, y, nullptr); }
  void LineTo(void* dc, int x, int y) override { ::LineTo(Dc(dc), x, y); }
  void Polyline(void* dc, const Point* pts, int n) override { ::Polyline(Dc(dc), Points(pts), n); }
  void Polygon(void* dc, const Point* pts, int n) override { ::Polygon(Dc(dc), Points(pts), n); }
  void Ellipse(void* dc, int l, int t, int r, int b) override { ::Ellipse(Dc(dc), l, t, r, b); }
  void Rectangle(void* dc, int l, int t, int r, int b) override { ::Rectangle(Dc(dc), l, t, r, b); }
  void SetPixel(void* dc, int x, int y, std::uint32_t c) override { ::SetPixel(Dc(dc), x, y, c); }
  // The module's brushes are the host's records; each fill uses a real brush of their colour.
  void FillRect(void* dc, const Rect& rc, std::uint32_t c) override {
    const RECT box{rc.left, rc.top, rc.right, rc.bottom};
    const HBRUSH brush = ::CreateSolidBrush(c);
    ::FillRect(Dc(dc), &box, brush);
    ::DeleteObject(brush);
  }
  std::uint32_t SetTextColor(void* dc, std::uint32_t c) override { return ::SetTextColor(Dc(dc), c); }
  void TextOut(void* dc, int x, int y, const char* text, int len) override { ::TextOutA(Dc(dc), x, y, text, len); }
  void SetBkMode(void* dc, int mode) override { ::SetBkMode(Dc(dc), mode); }
  void SelectPen(void* dc, int index) override {
    if (const HPEN pen = DefaultPen(index)) SelectObject(Dc(dc), pen);
  }
  void SelectFont(void* dc, int index) override {
    if (const HFONT font = DefaultFont(index)) SelectObject(Dc(dc), font);
  }
  void SelectStockObject(void* dc, int object) override {
    if (object == NULL_BRUSH || object == NULL_PEN) SelectObject(Dc(dc), GetStockObject(object));
  }
  void Clear(void* dc) override {
    BITMAP bitmap{};
    GetObject(GetCurrentObject(Dc(dc), OBJ_BITMAP), sizeof bitmap, &bitmap);
    PatBlt(Dc(dc), 0, 0, bitmap.bmWidth, bitmap.bmHeight, BLACKNESS);
  }
};

}  // namespace

HPEN DefaultPen(int index) {
  static const HPEN pens[6] = {CreatePen(PS_SOLID, 0, kDefaultPens[0]), CreatePen(PS_SOLID, 0, kDefaultPens[1]),
                               CreatePen(PS_SOLID, 0, kDefaultPens[2]), CreatePen(PS_SOLID, 0, kDefaultPens[3]),
                               CreatePen(PS_SOLID, 0, kDefaultPens[4]), CreatePen(PS_SOLID, 0, kDefaultPens[5])};
  return unsigned(index) < std::size(pens) ? pens[index] : nullptr;
}

namespace {
HFONT defaultFonts[std::size(kDefaultFonts)];
}  // namespace

void MakeDefaultFonts(int displayHeight) {
  for (std::size_t i = 0; i < std::size(kDefaultFonts); ++i) {
    const FontStyle& style = kDefaultFonts[i];
    if (defaultFonts[i]) DeleteObject(defaultFonts[i]);
    defaultFonts[i] = CreateFontA(-FontHeight(style, displayHeight), 0, style.escapement, style.escapement, FW_NORMAL,
                                  FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_STROKE_PRECIS,
                                  NONANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, style.face);
  }
}

HFONT DefaultFont(int index) { return unsigned(index) < std::size(defaultFonts) ? defaultFonts[index] : nullptr; }

Canvas& PlatformCanvas() {
  static GdiCanvas canvas;
  return canvas;
}

}  // namespace sim
