// vitals-sim's work, the same on every platform: read a situation, run the
// module for it in the stand-in host, and write the page and the session's trace.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "host/gdi.h"
#include "sim/output.h"

namespace sim {

// The device context a refresh draws on, in the host's starting state.
class PageSurface {
 public:
  virtual ~PageSurface() = default;
  virtual HDC Dc() = 0;
  virtual Image Picture() const = 0;
};

// What differs between the platforms' stand-in hosts.
struct Platform {
  const char* moduleFile;               // the module's file name beside the program
  std::filesystem::path programFolder;  // empty when it cannot be found
  HWND renderWindow;                    // handed to the module's render viewport
  std::unique_ptr<PageSurface> (*makeSurface)(int width, int height);
};

// Runs `vitals-sim render ...`; returns the exit status: 0 done, 1 host fault
// or failed session, 2 bad input. Messages go to standard error.
int RenderMain(int argc, char** argv, const Platform& platform);

}  // namespace sim
