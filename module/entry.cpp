// Library entry, exported entry points and registration of the "Vitals" mode.
#include "display/module_values.h"
#include "display/vitals_mfd.h"
#include "host/module_exports.h"
#include "host/oapi.h"
#include "module/runtime.h"

namespace {

constexpr UINT kMsgDisplayOpened = 1;
constexpr DWORD kModeKey = 0x21;  // F

int modeId = 0;
decltype(&opcDLLExit) exitCallback = nullptr;
int moduleVersion = 0;
char modeName[] = "Vitals";
char versionDate[] = "Apr 25 2006";

// Message 1: a display was opened in the mode; answer with a new instance.
OAPI_MSGTYPE ModeMsgProc(UINT msg, UINT /*mfd*/, WPARAM wparam, LPARAM lparam) {
  if (msg != kMsgDisplayOpened) return 0;
  const auto width = static_cast<DWORD>(wparam & 0xFFFF);
  const auto height = static_cast<DWORD>((wparam >> 16) & 0xFFFF);
  auto* display = new (std::nothrow) VitalsMFD(width, height, reinterpret_cast<VESSEL*>(lparam));
  return reinterpret_cast<OAPI_MSGTYPE>(display);
}

template <typename F>
F LookUp(HINSTANCE module, ModuleExport<F> routine) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, routine.name)));
}

// Attach: start the host library and find the exit routine; detach: run it.
BOOL LibraryEntry(HINSTANCE module, DWORD reason) {
  if (reason == 1) {
    InitLib(module);
    exitCallback = nullptr;
    for (const auto& routine : kExitRoutines)
      if (!exitCallback) exitCallback = LookUp(module, routine);
  } else if (reason == 0 && exitCallback) {
    exitCallback(module);
  }
  return 1;
}

}  // namespace

// The exports, as host/module_exports.h declares them.
extern "C" {

void opcDLLInit(HINSTANCE /*module*/) {
  MFDMODESPEC record = {modeName, kModeKey, ModeMsgProc};
  modeId = oapiRegisterMFDMode(record);
}

void opcDLLExit(HINSTANCE /*module*/) { oapiUnregisterMFDMode(modeId); }

// Records the render window that the page's paint bracket uses.
void opcOpenRenderViewport(HWND renderWnd, DWORD /*width*/, DWORD /*height*/, BOOL /*fullscreen*/) {
  renderWindow = renderWnd;
}

// The render window handle is kept.
void opcCloseRenderViewport() {}

// Computed by the host once and cached.
int GetModuleVersion() {
  if (moduleVersion == 0) moduleVersion = Date2Int(versionDate);
  return moduleVersion;
}

BOOL VITALS_LIBRARY_ENTRY DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
  return LibraryEntry(module, reason);
}
}
