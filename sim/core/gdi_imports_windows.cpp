// Windows: a loaded module's GDI and USER imports routed through the host's
// traced drawing calls, as the Linux host exports them.
#include <cstring>

#include "sim/core/drawing.h"
#include "sim/core/gdi_calls.h"

namespace sim {
namespace {

#define VITALS_TRACED_CALL(result, name, parameters, arguments) \
  result WINAPI Traced##name parameters { return static_cast<result>(drawing::name arguments); }
VITALS_GDI_CALLS(VITALS_TRACED_CALL)

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
#define VITALS_ROUTE(result, name, parameters, arguments) {#name, reinterpret_cast<ULONG_PTR>(Traced##name)},
const Route kRoutes[] = {
    VITALS_GDI_CALLS(VITALS_ROUTE)
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
