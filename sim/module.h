// Loading a module and driving its displays, as the simulator does.
#pragma once

#include <memory>
#include <string>

#include "host/mfd.h"

namespace sim {

// A loaded module: attached, entry points found by name, detached and
// unloaded on destruction.
class Module {
 public:
  // Loads the file and calls its library entry with reason 1; null with a
  // message in *error when the file cannot be loaded or lacks an entry point.
  static std::unique_ptr<Module> Load(const std::string& path, std::string* error);
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;
  // Library entry with reason 0, then the file is unloaded.
  ~Module();

  void Init();
  void Exit();
  void OpenRenderViewport(HWND window, DWORD width, DWORD height);
  void CloseRenderViewport();
  int Version();

 private:
  using Entry = BOOL (*)(HINSTANCE, DWORD, LPVOID);
  using Hook = void (*)(HINSTANCE);
  using OpenViewport = void (*)(HWND, DWORD, DWORD, BOOL);
  using CloseViewport = void (*)();
  using GetVersion = int (*)();

  explicit Module(void* handle) : handle_(handle) {}
  HINSTANCE Instance() const { return static_cast<HINSTANCE>(handle_); }

  void* handle_;
  Entry entry_ = nullptr;
  Hook init_ = nullptr;
  Hook exit_ = nullptr;
  OpenViewport openViewport_ = nullptr;
  CloseViewport closeViewport_ = nullptr;
  GetVersion version_ = nullptr;
};

// A display switched to a mode: owns the module's instance and destroys it
// through its virtual destructor.
class Display {
 public:
  // Sends the mode's message procedure message 1 for a width × height display
  // of vessel; null with a message in *error when the mode is unknown or the
  // module returns no instance.
  static std::unique_ptr<Display> Open(int modeId, DWORD width, DWORD height, VESSEL* vessel, std::string* error);
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;
  ~Display();

  bool ConsumeKeyBuffered(DWORD key);
  bool ConsumeButton(int bt, int event);
  const char* ButtonLabel(int bt);
  int ButtonMenu(const MFDBUTTONMENU** menu);
  // Refreshes the page; afterwards, any brush still alive or paint bracket
  // still open is reported as a host fault.
  void Update(HDC hdc);

 private:
  explicit Display(MFD* instance) : instance_(instance) {}
  MFD* instance_;
};

}  // namespace sim
