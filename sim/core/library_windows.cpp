// Modules loaded with the Windows loader, which runs their DllMain itself;
// their drawing imports are then routed through the host's traced calls.
#include <windows.h>

#include "sim/core/drawing.h"
#include "sim/core/library.h"

namespace sim {

const bool kLoaderRunsEntry = true;

void* OpenLibrary(const std::string& path, std::string* error) {
  HMODULE library = LoadLibraryA(path.c_str());
  if (library)
    drawing::RouteDrawingImports(library);
  else if (error)
    *error = "cannot load module: error " + std::to_string(GetLastError());
  return library;
}

void* FindSymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

}  // namespace sim
