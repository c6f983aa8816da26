// Modules loaded with dlopen; the host calls their entry routine itself.
#include "sim/core/library.h"

#include <dlfcn.h>

namespace sim {

const bool kLoaderRunsEntry = false;

void* OpenLibrary(const std::string& path, std::string* error) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library && error) *error = "cannot load module: " + std::string(dlerror());
  return library;
}

void* FindSymbol(void* library, const char* name) { return dlsym(library, name); }

void CloseLibrary(void* library) { dlclose(library); }

}  // namespace sim
