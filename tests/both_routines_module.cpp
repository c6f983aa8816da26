// A module exporting InitModule beside opcDLLInit and ExitModule beside opcDLLExit.
#include "host/module_exports.h"
#include "host/oapi.h"

extern "C" {
BOOL DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == 1) InitLib(module);
  return 1;
}
void opcOpenRenderViewport(HWND, DWORD, DWORD, BOOL) {}
void opcCloseRenderViewport() {}
void InitModule(HINSTANCE) {}
void opcDLLInit(HINSTANCE) {}
void ExitModule(HINSTANCE) {}
void opcDLLExit(HINSTANCE) {}
}
