#include "sim/module.h"

#include <dlfcn.h>

#include "sim/host.h"

namespace sim {
namespace {

template <typename F>
bool Find(void* handle, const char* name, F* out, std::string* error) {
  *out = reinterpret_cast<F>(dlsym(handle, name));
  if (!*out && error) *error = std::string("entry point ") + name + " not found";
  return *out != nullptr;
}

}  // namespace

std::unique_ptr<Module> Module::Load(const std::string& path, std::string* error) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    if (error) *error = "cannot load module: " + std::string(dlerror());
    return nullptr;
  }
  std::unique_ptr<Module> module(new Module(handle));
  std::string missing;
  const bool complete = Find(handle, "DllMain", &module->entry_, &missing) &&
                        Find(handle, "opcDLLInit", &module->init_, &missing) &&
                        Find(handle, "opcDLLExit", &module->exit_, &missing) &&
                        Find(handle, "opcOpenRenderViewport", &module->openViewport_, &missing) &&
                        Find(handle, "opcCloseRenderViewport", &module->closeViewport_, &missing) &&
                        Find(handle, "GetModuleVersion", &module->version_, &missing);
  if (!complete) {
    if (error) *error = path + ": " + missing;
    module->entry_ = nullptr;  // never attached, so never detached
    return nullptr;
  }
  TheHost().trace.Add("> DllMain 1");
  module->entry_(module->Instance(), 1, nullptr);
  return module;
}

Module::~Module() {
  if (entry_) {
    TheHost().trace.Add("> DllMain 0");
    entry_(Instance(), 0, nullptr);
  }
  dlclose(handle_);
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
