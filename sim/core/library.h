// The platform's dynamic loader, as the host uses it for modules.
#pragma once

#include <string>

#include "host/module_exports.h"

namespace sim {

// Whether the loader itself calls a library's entry routine on load and unload
// (Windows), rather than leaving it to the host.
extern const bool kLoaderRunsEntry;

// Loads a library; null with the loader's reason in *error.
void* OpenLibrary(const std::string& path, std::string* error);
// An exported symbol, or null.
void* FindSymbol(void* library, const char* name);
void CloseLibrary(void* library);

// An export by its name, as its type; null when the library lacks it.
template <typename F>
F FindExport(void* library, ModuleExport<F> routine) {
  return reinterpret_cast<F>(FindSymbol(library, routine.name));
}

}  // namespace sim
