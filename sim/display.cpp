// A display switched to a module's mode, driven as the simulator drives it.
#include "sim/host.h"
#include "sim/module.h"

namespace sim {

std::unique_ptr<Display> Display::Open(int modeId, DWORD width, DWORD height, VESSEL* vessel, std::string* error) {
  Host& host = TheHost();
  const Mode* mode = host.FindMode(modeId);
  if (!mode) {
    if (error) *error = "no display mode with identifier " + std::to_string(modeId);
    return nullptr;
  }
  const WPARAM size = (width & 0xFFFF) | (height & 0xFFFF) << 16;
  host.trace.Add("> ModeMsgProc 1 0 %u %u", static_cast<unsigned>(width), static_cast<unsigned>(height));
  auto* instance = reinterpret_cast<MFD*>(mode->msgproc(1, 0, size, reinterpret_cast<LPARAM>(vessel)));
  if (!instance) {
    if (error) *error = "mode " + mode->name + " returned no display instance";
    return nullptr;
  }
  return std::unique_ptr<Display>(new Display(instance));
}

Display::~Display() {
  TheHost().trace.Add("> delete");
  delete instance_;
}

bool Display::ConsumeKeyBuffered(DWORD key) {
  TheHost().trace.Add("> ConsumeKeyBuffered %u", static_cast<unsigned>(key));
  return instance_->ConsumeKeyBuffered(key);
}

bool Display::ConsumeButton(int bt, int event) {
  TheHost().trace.Add("> ConsumeButton %d %d", bt, event);
  return instance_->ConsumeButton(bt, event);
}

const char* Display::ButtonLabel(int bt) {
  TheHost().trace.Add("> ButtonLabel %d", bt);
  return instance_->ButtonLabel(bt);
}

int Display::ButtonMenu(const MFDBUTTONMENU** menu) {
  TheHost().trace.Add("> ButtonMenu");
  return instance_->ButtonMenu(menu);
}

void Display::Update(HDC hdc) {
  Host& host = TheHost();
  host.trace.Add("> Update");
  instance_->Update(hdc);
  host.CheckRefreshEnded();
}

}  // namespace sim
