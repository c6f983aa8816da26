#include "sim/core/module.h"

#include "sim/surface/drawing_surface.h"
#include "sim/core/host.h"
#include "sim/core/look.h"

namespace sim {
namespace {

template <typename F>
bool FindRequired(const Module& module, ModuleExport<F> routine, F* out, std::string* missing) {
  *out = module.Find(routine);
  if (!*out) *missing = std::string("entry point ") + routine.name + " not found";
  return *out != nullptr;
}

HINSTANCE Instance(void* handle) { return static_cast<HINSTANCE>(handle); }

}  // namespace

std::unique_ptr<Module> Module::Load(const std::string& path, std::string* error) {
  Host& host = TheHost();
  if (kLoaderRunsEntry) host.trace.Add("> DllMain 1");
  void* library = OpenLibrary(path, error);
  if (!library) return nullptr;
  std::unique_ptr<Module> module(new Module(library));
  std::string missing;
  const bool complete = (kLoaderRunsEntry || FindRequired(*module, kDllMain, &module->entry_, &missing)) &&
                        FindRequired(*module, kOpenRenderViewport, &module->openViewport_, &missing) &&
                        FindRequired(*module, kCloseRenderViewport, &module->closeViewport_, &missing);
  if (!complete) {
    if (error) *error = missing;
    module->entry_ = nullptr;  // never attached by the host, so never detached by it
    return nullptr;
  }
  if (module->entry_) {
    host.trace.Add("> DllMain 1");
    module->entry_(Instance(library), 1, nullptr);
  }
  return module;
}

Module::~Module() {
  if (kLoaderRunsEntry || entry_) TheHost().trace.Add("> DllMain 0");
  if (entry_) entry_(Instance(handle_), 0, nullptr);
  CloseLibrary(handle_);
}

void Module::Exit() {
  for (const auto& routine : kExitRoutines) {
    if (const auto exit = Find(routine)) {
      TheHost().trace.Add("> %s", routine.name);
      exit(Instance(handle_));
      return;
    }
  }
}

void Module::OpenRenderViewport(void* window, std::uint32_t width, std::uint32_t height) {
  TheHost().trace.Add("> opcOpenRenderViewport %s %u %u 0", Field::Pointer(window).c_str(), static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
  openViewport_(static_cast<HWND>(window), width, height, 0);
}

void Module::CloseRenderViewport() {
  TheHost().trace.Add("> opcCloseRenderViewport");
  closeViewport_();
}

std::unique_ptr<DisplayInstance> DisplayInstance::Open(int modeId, std::uint32_t width, std::uint32_t height, void* vessel,
                                       std::uint32_t cw, std::uint32_t ch, std::string* error) {
  Host& host = TheHost();
  const Mode* mode = host.FindMode(modeId);
  if (!mode) {
    if (error) *error = "no display mode with identifier " + std::to_string(modeId);
    return nullptr;
  }
  const int w = static_cast<int>(width & 0xFFFF), h = static_cast<int>(height & 0xFFFF);
  void* instance = nullptr;
  for (const unsigned msg : {4u, 1u}) {
    host.trace.Add("> ModeMsgProc %u 0 %d %d", msg, w, h);
    instance = Abi().open_display(mode->msgproc, msg, w, h, vessel);
    if (instance) break;
  }
  if (!instance) {
    if (error) *error = "mode " + mode->name + " returned no display instance";
    return nullptr;
  }
  std::unique_ptr<DisplayInstance> display(new DisplayInstance(instance, w, h));
  const bool newer = Abi().adopt_display(instance, display.get(), cw, ch);
  host.trace.Add("adopted %s %u %u", newer ? "newer" : "older", static_cast<unsigned>(cw), static_cast<unsigned>(ch));
  host.trace.Add("> ReadStatus");
  Abi().read_status(instance);
  return display;
}

DisplayInstance::~DisplayInstance() {
  TheHost().trace.Add("> delete");
  Abi().delete_display(instance_);
}

bool DisplayInstance::ConsumeKeyBuffered(std::uint32_t key) {
  TheHost().trace.Add("> ConsumeKeyBuffered %u", static_cast<unsigned>(key));
  return Abi().consume_key(instance_, key);
}

bool DisplayInstance::ConsumeButton(int bt, int event) {
  TheHost().trace.Add("> ConsumeButton %d %d", bt, event);
  return Abi().consume_button(instance_, bt, event);
}

const char* DisplayInstance::ButtonLabel(int bt) {
  TheHost().trace.Add("> ButtonLabel %d", bt);
  return Abi().button_label(instance_, bt);
}

int DisplayInstance::ButtonMenu(const VhMenuEntry** menu) {
  TheHost().trace.Add("> ButtonMenu");
  return Abi().button_menu(instance_, menu);
}

void DisplayInstance::Update(DrawingSurface& surface) {
  Host& host = TheHost();
  // The display as the host hands it to each refresh: black, green text in
  // font 0 on no background, hollow figures in pen 0; framed in the generic cockpit.
  surface.Clear();
  surface.SetTextColor(kDefaultPens[0]);
  surface.SelectFont(0);
  surface.SetBkMode(TRANSPARENT);
  surface.SelectStockObject(NULL_BRUSH);
  surface.SelectPen(0);
  if (host.cockpitMode == 1) surface.Rectangle(0, 0, width_, height_);
  host.trace.Add("> Update");
  host.drawing = &surface;
  Abi().update(instance_, surface.Dc());
  host.drawing = nullptr;
  surface.SelectStockObject(NULL_PEN);
  surface.SelectStockObject(NULL_BRUSH);
  host.CheckRefreshEnded();
}

}  // namespace sim
