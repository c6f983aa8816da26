// Off Windows: the drawing operations the host exports under GDI's and
// KERNEL32's names, the module's side of the drawing-surface contract.
#include "host/gdi.h"
#include "sim/core/drawing.h"
#include "sim/core/gdi_calls.h"
#include "sim/core/library.h"

namespace drawing = sim::drawing;

#define VITALS_EXPORT_CALL(result, name, parameters, arguments) \
  result name parameters { return static_cast<result>(drawing::name arguments); }

extern "C" {

VITALS_GDI_CALLS(VITALS_EXPORT_CALL)
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
