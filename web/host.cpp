// The page's host: each redraw is one run of `vitals-sim render` on the
// in-memory file system, with the module linked in. The page writes the
// situation to situation.json and reads page.trace; the pixels are kept here.
#include <emscripten/emscripten.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

#include "sim/program/render.h"
#include "sim/surface/page_surface.h"
#include "sim/surface/raster_surface.h"

namespace {

// The last page drawn, as RGBA.
struct Shown {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
} shown;

// The surface of one refresh; hands its pixels over when the session ends.
class WebPage final : public sim::PageSurface {
 public:
  WebPage(int width, int height) : surface_(width, height) {}
  ~WebPage() override {
    const std::size_t n = std::size_t(surface_.Width()) * std::size_t(surface_.Height());
    shown.width = surface_.Width();
    shown.height = surface_.Height();
    shown.rgba.resize(n * 4);
    const COLORREF* px = surface_.Data();
    for (std::size_t i = 0; i < n; ++i) {  // 0x00BBGGRR to R, G, B, A
      shown.rgba[4 * i] = px[i] & 0xFF;
      shown.rgba[4 * i + 1] = (px[i] >> 8) & 0xFF;
      shown.rgba[4 * i + 2] = (px[i] >> 16) & 0xFF;
      shown.rgba[4 * i + 3] = 255;
    }
  }
  void* Dc() override { return static_cast<DrawingSurface*>(&surface_); }
  sim::Image Picture() const override { return surface_.Picture(); }
  int CharWidth() const override { return surface_.DefaultFont(0).AverageCharWidth(); }
  int CharHeight() const override { return surface_.DefaultFont(0).CellHeight(); }

 private:
  sim::RasterSurface surface_;
};

// Where the module "file" is, so that the session finds it.
constexpr const char* kProgramFolder = "/vitals";
constexpr const char* kModuleFile = "Vitals";

}  // namespace

// The page's surface: the rasteriser, whose pixels the page shows.
std::unique_ptr<sim::PageSurface> sim::MakePageSurface(int width, int height) {
  return std::make_unique<WebPage>(width, height);
}

extern "C" {

// Renders situation.json of the current folder into page.trace and the
// picture; returns vitals-sim's exit status. Messages go to standard error.
EMSCRIPTEN_KEEPALIVE int vitals_render() {
  const sim::Platform platform = {kModuleFile, kProgramFolder};
  const char* argv[] = {"vitals-sim", "render", "--state", "situation.json", "--trace", "page.trace"};
  shown = Shown();
  std::error_code ec;
  std::filesystem::create_directories(kProgramFolder, ec);
  std::ofstream(std::filesystem::path(kProgramFolder) / kModuleFile).flush();
  CLI::App app("The Vitals MFD page in a stand-in Orbiter host", "vitals-sim");
  int status = 0;
  sim::AddRenderCommand(app, platform, &status);
  status = sim::RunCommands(app, 6, const_cast<char**>(argv), &status);
  std::cerr.flush();
  return status;
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* vitals_pixels() { return shown.rgba.data(); }
EMSCRIPTEN_KEEPALIVE int vitals_width() { return shown.width; }
EMSCRIPTEN_KEEPALIVE int vitals_height() { return shown.height; }

// The end of the memory in use; the page restores [0, end) before each run so
// that every run starts from a freshly loaded module and host.
EMSCRIPTEN_KEEPALIVE std::uintptr_t vitals_memory_end() { return reinterpret_cast<std::uintptr_t>(sbrk(0)); }

}
