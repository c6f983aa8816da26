// Loading a module with the Windows loader, and driving its displays.
#include <windows.h>

#include "sim/host.h"
#include "sim/module.h"

namespace sim {
namespace {

template <typename F>
bool Find(void* handle, const char* name, F* out, std::string* error) {
  *out = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name)));
  if (!*out && error) *error = std::string("entry point ") + name + " not found";
  return *out != nullptr;
}

}  // namespace

// The loader runs the library entry itself, with reason 1 inside LoadLibrary
// and reason 0 inside FreeLibrary; entry_ stays null.
std::unique_ptr<Module> Module::Load(const std::string& path, std::string* error) {
  TheHost().trace.Add("> DllMain 1");
  HMODULE handle = LoadLibraryA(path.c_str());
  if (!handle) {
    if (error) *error = "cannot load module " + path + ": error " + std::to_string(GetLastError());
    return nullptr;
  }
  std::unique_ptr<Module> module(new Module(handle));
  std::string missing;
  const bool complete = Find(handle, "opcDLLInit", &module->init_, &missing) &&
                        Find(handle, "opcDLLExit", &module->exit_, &missing) &&
                        Find(handle, "opcOpenRenderViewport", &module->openViewport_, &missing) &&
                        Find(handle, "opcCloseRenderViewport", &module->closeViewport_, &missing) &&
                        Find(handle, "GetModuleVersion", &module->version_, &missing);
  if (!complete) {
    if (error) *error = path + ": " + missing;
    return nullptr;
  }
  return module;
}

Module::~Module() {
  TheHost().trace.Add("> DllMain 0");
  FreeLibrary(static_cast<HMODULE>(handle_));
}

void Module::Init() {
  TheHost().trace.Add("> opcDLLInit");
  init_(Instance());
}

void Module::Exit() {
  TheHost().trace.Add("> opcDLLExit");
  exit_(Instance());
}

void Module::OpenRenderViewport(HWND window, DWORD width, DWORD height) {
  TheHost().trace.Add("> opcOpenRenderViewport %p %u %u 0", static_cast<void*>(window), static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
  openViewport_(window, width, height, 0);
}

void Module::CloseRenderViewport() {
  TheHost().trace.Add("> opcCloseRenderViewport");
  closeViewport_();
}

int Module::Version() {
  TheHost().trace.Add("> GetModuleVersion");
  return version_();
}

}  // namespace sim
