// The module linked into the page: "loading" it hands out its entry points by
// name from a table, as the platform's loader would from its export table.
#include <cstring>

#include "host/module_exports.h"
#include "sim/core/library.h"

namespace {

struct Export {
  const char* name;
  void* address;
};

const Export kExports[] = {
    {"DllMain", reinterpret_cast<void*>(&DllMain)},
    {"opcDLLInit", reinterpret_cast<void*>(&opcDLLInit)},
    {"opcDLLExit", reinterpret_cast<void*>(&opcDLLExit)},
    {"opcOpenRenderViewport", reinterpret_cast<void*>(&opcOpenRenderViewport)},
    {"opcCloseRenderViewport", reinterpret_cast<void*>(&opcCloseRenderViewport)},
    {"GetModuleVersion", reinterpret_cast<void*>(&GetModuleVersion)},
};

// The one module's handle.
char theModule;

}  // namespace

namespace sim {

const bool kLoaderRunsEntry = false;

void* OpenLibrary(const std::string& /*path*/, std::string* /*error*/) { return &theModule; }

void* FindSymbol(void* library, const char* name) {
  if (library != &theModule || !name) return nullptr;
  for (const Export& e : kExports)
    if (std::strcmp(e.name, name) == 0) return e.address;
  return nullptr;
}

void CloseLibrary(void* /*library*/) {}

}  // namespace sim
