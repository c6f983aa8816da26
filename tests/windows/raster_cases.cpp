// The raster unit cases (tests/raster_cases.h) drawn by the real GDI on the
// Windows host's surface; run under wine by raster_cases.sh. Exit 0 when every
// picture is the case's, 1 otherwise, each difference shown. Cases beyond
// GDI's coordinates are the host's surfaces' own promise, not drawn here.
#include <cstdio>

#include "sim/surface/page_surface.h"
#include "tests/raster_cases.h"

int main() {
  const std::vector<raster_cases::Case> cases = raster_cases::EveryCase();
  std::size_t failed = 0, beyond = 0;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const raster_cases::Case& c = cases[i];
    if (c.draw.beyond) {
      ++beyond;
      continue;
    }
    const auto surface = sim::MakePageSurface(c.width, c.height);
    raster_cases::Prepare(*surface, c.width, c.height);
    c.draw(*surface);
    const std::string drawn = raster_cases::Picture(surface->Picture());
    if (drawn == c.picture) continue;
    ++failed;
    std::printf("case %zu, %d x %d: GDI drew\n%sinstead of\n%s", i, c.width, c.height, drawn.c_str(), c.picture.c_str());
  }
  std::printf("%zu of %zu raster cases alike on GDI; %zu beyond its reach left to the host's surfaces\n",
              cases.size() - beyond - failed, cases.size() - beyond, beyond);
  return failed ? 1 : 0;
}
