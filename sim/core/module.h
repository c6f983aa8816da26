// Loading a module and driving its displays, as the simulator does.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/module_exports.h"
#include "sim/core/host_core.h"
#include "sim/core/library.h"

class DrawingSurface;

namespace sim {

// A loaded module: attached (its library entry starts the host library, which
// registers its modes), entry points found by name, detached and unloaded on
// destruction.
class Module {
 public:
  // Loads the file; on Linux the host then calls its DllMain with reason 1,
  // on Windows the loader does. Null with a message in *error when the file
  // cannot be loaded or lacks an entry point.
  static std::unique_ptr<Module> Load(const std::string& path, std::string* error);
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;
  // Library entry with reason 0, which runs the module's exit routine, then
  // the file is unloaded.
  ~Module();

  void OpenRenderViewport(void* window, std::uint32_t width, std::uint32_t height);
  void CloseRenderViewport();
  // The module's exit routine, ExitModule else opcDLLExit, as the host calls
  // it before unloading; nothing when it has neither.
  void Exit();
  // One of the module's exports, or null.
  template <typename F>
  F Find(ModuleExport<F> routine) const {
    return FindExport(handle_, routine);
  }

 private:
  explicit Module(void* handle) : handle_(handle) {}

  void* handle_;
  decltype(&DllMain) entry_ = nullptr;
  decltype(&opcOpenRenderViewport) openViewport_ = nullptr;
  decltype(&opcCloseRenderViewport) closeViewport_ = nullptr;
};

// A display switched to a mode: owns the module's instance and destroys it
// through its virtual destructor.
class DisplayInstance {
 public:
  // Sends the mode's message procedure message 4, then, when that yields no
  // instance, message 1, for a width × height display of vessel; then hands
  // the instance the host's record and font 0's cell (cw × ch) and has it read
  // its status. Null with a message in *error when the mode is unknown or the
  // module returns no instance.
  static std::unique_ptr<DisplayInstance> Open(int modeId, std::uint32_t width, std::uint32_t height, void* vessel,
                                       std::uint32_t cw, std::uint32_t ch, std::string* error);
  DisplayInstance(const DisplayInstance&) = delete;
  DisplayInstance& operator=(const DisplayInstance&) = delete;
  ~DisplayInstance();

  bool ConsumeKeyBuffered(std::uint32_t key);
  bool ConsumeButton(int bt, int event);
  const char* ButtonLabel(int bt);
  int ButtonMenu(const VhMenuEntry** menu);
  // Refreshes the page on the surface, first set up as the host does; the
  // module draws on its HDC alone. Afterwards the null pen and brush are
  // selected, and any brush still alive or paint bracket still open is
  // reported as a host fault.
  void Update(DrawingSurface& surface);

 private:
  DisplayInstance(void* instance, int width, int height) : instance_(instance), width_(width), height_(height) {}
  void* instance_;
  int width_, height_;
};

}  // namespace sim
