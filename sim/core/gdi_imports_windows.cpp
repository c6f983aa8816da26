// Windows: a loaded module's GDI and USER imports routed through the host's
// traced drawing calls, as the Linux host exports them.
#include <cstring>

#include "sim/core/drawing.h"

namespace sim {
namespace {

BOOL WINAPI TracedMoveToEx(HDC dc, int x, int y, LPPOINT prev) { return drawing::MoveToEx(dc, x, y, prev); }
BOOL WINAPI TracedLineTo(HDC dc, int x, int y) { return drawing::LineTo(dc, x, y); }
BOOL WINAPI TracedPolyline(HDC dc, const POINT* pts, int n) { return drawing::Polyline(dc, pts, n); }
BOOL WINAPI TracedPolygon(HDC dc, const POINT* pts, int n) { return drawing::Polygon(dc, pts, n); }
BOOL WINAPI TracedEllipse(HDC dc, int l, int t, int r, int b) { return drawing::Ellipse(dc, l, t, r, b); }
BOOL WINAPI TracedRectangle(HDC dc, int l, int t, int r, int b) { return drawing::Rectangle(dc, l, t, r, b); }
COLORREF WINAPI TracedSetPixel(HDC dc, int x, int y, COLORREF c) { return drawing::SetPixel(dc, x, y, c); }
HBRUSH WINAPI TracedCreateSolidBrush(COLORREF c) { return static_cast<HBRUSH>(drawing::CreateSolidBrush(c)); }
int WINAPI TracedFillRect(HDC dc, const RECT* rc, HBRUSH brush) { return drawing::FillRect(dc, rc, brush); }
BOOL WINAPI TracedDeleteObject(HGDIOBJ object) { return drawing::DeleteObject(object); }
COLORREF WINAPI TracedSetTextColor(HDC dc, COLORREF c) { return drawing::SetTextColor(dc, c); }
BOOL WINAPI TracedTextOutA(HDC dc, int x, int y, LPCSTR text, int len) {
  return drawing::TextOutA(dc, x, y, text, len);
}
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

}  // namespace

void drawing::RouteDrawingImports(void* module) {
  auto* base = static_cast<BYTE*>(module);
  const auto* nt =
      reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!imports.VirtualAddress) return;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
    const char* dll = reinterpret_cast<const char*>(base + d->Name);
    if (_stricmp(dll, "GDI32.dll") != 0 && _stricmp(dll, "USER32.dll") != 0) continue;
    auto* names =
        reinterpret_cast<IMAGE_THUNK_DATA*>(base + (d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk));
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

}  // namespace sim
