// What a module exports for the host, by name, and when the host calls each.
// The module defines the exports against these declarations; a host finds
// them by name and calls them through the pointer types below, so a
// signature lives here alone. Everything runs on the host's one thread; the
// library entry runs inside the platform loader's call. A module may lack any
// export but the library entry and the two viewport routines: the host then
// skips that call.
#pragma once

#include "host/export.h"
#include "host/gdi.h"

#ifdef _WIN32
#define VITALS_LIBRARY_ENTRY WINAPI  // the loader's entry point, not exported by name
#else
#define VITALS_LIBRARY_ENTRY DLLEXPORT  // found by name and called by the host
#endif

extern "C" {

// Library entry. Reason 1 (attach): once, right after loading, before any
// other export; the module starts the host library here (InitLib). Reason 0
// (detach): once, right before unloading, after every other call; the module
// runs its exit routine once more. Other reasons: thread events, ignored.
// Returns nonzero; loading never fails.
BOOL VITALS_LIBRARY_ENTRY DllMain(HINSTANCE module, DWORD reason, LPVOID reserved);

// The version date as Date2Int gives it. Called by the host library inside
// InitLib, at most once per load, before the start-up routine; may be called
// again at any time and changes nothing else.
DLLEXPORT int GetModuleVersion();

// Start-up: called by the host library inside InitLib, once per load, after
// GetModuleVersion; InitModule when exported, else opcDLLInit. Registers the
// module's modes. Nothing can fail.
DLLEXPORT void InitModule(HINSTANCE module);
DLLEXPORT void opcDLLInit(HINSTANCE module);

// Exit: called by the host once before unloading, and by the module's own
// library entry at detach; ExitModule when exported, else opcDLLExit. Must
// bear being called twice: withdrawing a withdrawn mode fails harmlessly.
DLLEXPORT void ExitModule(HINSTANCE module);
DLLEXPORT void opcDLLExit(HINSTANCE module);

// The simulator's render window was opened (w × h pixels, fullscreen or not):
// called once per opened viewport, after start-up. Closed: once per close,
// before exit; nothing is expected of the module.
DLLEXPORT void opcOpenRenderViewport(HWND window, DWORD width, DWORD height, BOOL fullscreen);
DLLEXPORT void opcCloseRenderViewport();
}

// Each export's name with its pointer type, for the host's look-ups.
template <typename F>
struct ModuleExport {
  const char* name;
};
inline constexpr ModuleExport<decltype(&DllMain)> kDllMain{"DllMain"};
inline constexpr ModuleExport<decltype(&GetModuleVersion)> kGetModuleVersion{"GetModuleVersion"};
// Start-up and exit routines in the order the host looks them up.
inline constexpr ModuleExport<decltype(&opcDLLInit)> kStartUpRoutines[] = {{"InitModule"}, {"opcDLLInit"}};
inline constexpr ModuleExport<decltype(&opcDLLExit)> kExitRoutines[] = {{"ExitModule"}, {"opcDLLExit"}};
inline constexpr ModuleExport<decltype(&opcOpenRenderViewport)> kOpenRenderViewport{"opcOpenRenderViewport"};
inline constexpr ModuleExport<decltype(&opcCloseRenderViewport)> kCloseRenderViewport{"opcCloseRenderViewport"};
