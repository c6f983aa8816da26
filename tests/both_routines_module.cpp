// A module exporting InitModule beside opcDLLInit and ExitModule beside opcDLLExit.
#include "host/export.h"
#include "host/oapi.h"

extern "C" {
DLLEXPORT BOOL DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == 1) InitLib(module);
  return 1;
}
DLLEXPORT void opcOpenRenderViewport(HWND, DWORD, DWORD, BOOL) {}
DLLEXPORT void opcCloseRenderViewport() {}
DLLEXPORT void InitModule(HINSTANCE) {}
DLLEXPORT void opcDLLInit(HINSTANCE) {}
DLLEXPORT void ExitModule(HINSTANCE) {}
DLLEXPORT void opcDLLExit(HINSTANCE) {}
}
