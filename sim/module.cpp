#include "sim/module.h"

#include "sim/host.h"
#include "sim/library.h"

namespace sim {
namespace {

template <typename F>
bool Find(void* library, const char* name, F* out, std::string* error) {
  *out = reinterpret_cast<F>(FindSymbol(library, name));
  if (!*out && error) *error = std::string("entry point ") + name + " not found";
  return *out != nullptr;
}

}  // namespace

std::unique_ptr<Module> Module::Load(const std::string& path, std::string* error) {
  if (kLoaderRunsEntry) TheHost().trace.Add("> DllMain 1");
  void* library = OpenLibrary(path, error);
  if (!library) return nullptr;
  std::unique_ptr<Module> module(new Module(library));
  std::string missing;
  const bool complete = (kLoaderRunsEntry || Find(library, "DllMain", &module->entry_, &missing)) &&
                        Find(library, "opcDLLInit", &module->init_, &missing) &&
                        Find(library, "opcDLLExit", &module->exit_, &missing) &&
                        Find(library, "opcOpenRenderViewport", &module->openViewport_, &missing) &&
                        Find(library, "opcCloseRenderViewport", &module->closeViewport_, &missing) &&
                        Find(library, "GetModuleVersion", &module->version_, &missing);
  if (!complete) {
    if (error) *error = path + ": " + missing;
    module->entry_ = nullptr;  // never attached by the host, so never detached by it
    return nullptr;
  }
  if (module->entry_) {
    TheHost().trace.Add("> DllMain 1");
    module->entry_(module->Instance(), 1, nullptr);
  }
  return module;
}

Module::~Module() {
  if (kLoaderRunsEntry || entry_) TheHost().trace.Add("> DllMain 0");
  if (entry_) entry_(Instance(), 0, nullptr);
  CloseLibrary(handle_);
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
