// vitals-sim.exe: the stand-in host as a Windows program, drawing on a real
// GDI device context. Same command line and situation files as the Linux one.
#include <windows.h>

#include <filesystem>

#include "sim/render.h"
#include "sim/windows/surface.h"

int main(int argc, char** argv) {
  // A module that cannot be loaded is reported here, never in a dialog box.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  char self[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
  const sim::Platform platform = {
      "Vitals.dll",
      n > 0 && n < MAX_PATH ? std::filesystem::path(self).parent_path() : std::filesystem::path(),
      // No render window: the page's paint bracket fails harmlessly and leaves
      // the device context it draws on untouched.
      nullptr,
      [](int width, int height) -> std::unique_ptr<sim::PageSurface> {
        return std::make_unique<sim::GdiSurface>(width, height);
      },
  };
  return sim::RenderMain(argc, argv, platform);
}
