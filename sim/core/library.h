// The platform's dynamic loader, as the host uses it for modules.
#pragma once

#include <string>

namespace sim {

// Whether the loader itself calls a library's entry routine on load and unload
// (Windows), rather than leaving it to the host.
extern const bool kLoaderRunsEntry;

// Loads a library; null with the loader's reason in *error.
void* OpenLibrary(const std::string& path, std::string* error);
// An exported symbol, or null.
void* FindSymbol(void* library, const char* name);
void CloseLibrary(void* library);

}  // namespace sim
