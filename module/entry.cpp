// Library entry, exported entry points and registration of the "Vitals" mode.
#include "display/module_values.h"
#include "display/vitals_mfd.h"
#include "host/export.h"
#include "host/oapi.h"
#include "module/runtime.h"

namespace {

using ExitRoutine = void (*)(HINSTANCE);

constexpr UINT kMsgDisplayOpened = 1;
constexpr DWORD kModeKey = 0x21;  // F

int modeId = 0;
ExitRoutine exitCallback = nullptr;
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

ExitRoutine LookUpExport(HINSTANCE module, LPCSTR name) {
  return reinterpret_cast<ExitRoutine>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Attach: start the host library and find the exit routine; detach: run it.
BOOL LibraryEntry(HINSTANCE module, DWORD reason) {
  if (reason == 1) {
    InitLib(module);
    exitCallback = LookUpExport(module, "ExitModule");
    if (!exitCallback) exitCallback = LookUpExport(module, "opcDLLExit");
  } else if (reason == 0 && exitCallback) {
    exitCallback(module);
  }
  return 1;
}

}  // namespace

extern "C" {

// Registers the mode; called once by the host after loading.
DLLEXPORT void opcDLLInit(HINSTANCE /*module*/) {
  MFDMODESPEC record = {modeName, kModeKey, ModeMsgProc};
  modeId = oapiRegisterMFDMode(record);
}

// Withdraws the mode; called by the host before unloading and again at detach.
DLLEXPORT void opcDLLExit(HINSTANCE /*module*/) { oapiUnregisterMFDMode(modeId); }

// Records the render window that the page's paint bracket uses.
DLLEXPORT void opcOpenRenderViewport(HWND renderWnd, DWORD /*width*/, DWORD /*height*/, BOOL /*fullscreen*/) {
  renderWindow = renderWnd;
}

// Nothing to release; the render window handle is kept.
DLLEXPORT void opcCloseRenderViewport() {}

// The module's version date, computed by the host once and cached.
DLLEXPORT int GetModuleVersion() {
  if (moduleVersion == 0) moduleVersion = Date2Int(versionDate);
  return moduleVersion;
}

#ifdef _WIN32
BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
  return LibraryEntry(module, reason);
}
#else
// Called by the host with reason 1 right after loading and 0 right before unloading.
DLLEXPORT BOOL DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
  return LibraryEntry(module, reason);
}
#endif
}
