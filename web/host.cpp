// The page's host: each redraw runs the module for situation.json of the
// current folder, once, and keeps the picture; the trace goes to page.trace.
#include "sim/core/host.h"

#include <emscripten/emscripten.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "sim/program/live_session.h"
#include "sim/program/output.h"

namespace {

// The last page drawn, as RGBA.
struct Shown {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
} shown;

void Keep(const sim::Image& image) {
  shown.width = image.width;
  shown.height = image.height;
  shown.rgba.resize(image.rgb.size() / 3 * 4);
  for (std::size_t i = 0; i < image.rgb.size() / 3; ++i) {
    for (int c = 0; c < 3; ++c) shown.rgba[4 * i + c] = image.rgb[3 * i + c];
    shown.rgba[4 * i + 3] = 255;
  }
}

}  // namespace

extern "C" {

// Returns vitals-sim's exit status: 0 drawn, 1 host fault, 2 refused.
// Messages go to standard error.
EMSCRIPTEN_KEEPALIVE int vitals_render() {
  shown = Shown();
  std::ostringstream text;
  text << std::ifstream("situation.json").rdbuf();
  sim::Situation situation;
  try {
    situation = sim::ParseSituation(text.str());
  } catch (const sim::SituationError& e) {
    std::cerr << "situation.json: " << (e.Path().empty() ? "" : e.Path() + ": ") << e.what() << std::endl;
    return 2;
  }
  sim::Host& host = sim::TheHost();
  host.Reset();
  host.trace.Enable(true);
  try {
    sim::LiveSession session("Vitals", situation);
    session.Refresh();
    Keep(session.Page().Picture());
  } catch (const std::exception& e) {
    std::cerr << e.what() << std::endl;
    return 1;
  }
  sim::WriteFileWhole("page.trace", host.trace.Text(), nullptr);
  for (const std::string& fault : host.faults) std::cerr << "host fault: " << fault << std::endl;
  return host.faults.empty() ? 0 : 1;
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* vitals_pixels() { return shown.rgba.data(); }
EMSCRIPTEN_KEEPALIVE int vitals_width() { return shown.width; }
EMSCRIPTEN_KEEPALIVE int vitals_height() { return shown.height; }

// The end of the memory in use; the page restores [0, end) before each run so
// that every run starts from a freshly loaded module and host.
EMSCRIPTEN_KEEPALIVE std::uintptr_t vitals_memory_end() { return reinterpret_cast<std::uintptr_t>(sbrk(0)); }
}
