#include "sim/core/cockpit.h"

#include <algorithm>
#include <cmath>

#include "sim/core/config.h"

namespace sim {

int CockpitDisplaySide(int cockpitMode, int windowHeight, int vcMfdSize, std::string_view config) {
  if (cockpitMode == 3) return std::clamp(vcMfdSize, 1, kMaxDisplaySide);
  if (cockpitMode != 1) return kPanelDisplaySide;
  double size = 6.0;
  if (!ConfigFile::Parse(config).ReadFloat("GenericMFDSize", &size) || !std::isfinite(size)) size = 6.0;
  const double pixels = std::max(0.625, windowHeight / 800.0) * 35 * (size + 5);
  return static_cast<int>(std::clamp(pixels, 1.0, double(kMaxDisplaySide)));
}

std::optional<double> RefreshInterval(std::string_view config) {
  const ConfigFile file = ConfigFile::Parse(config);
  double interval = 0.5;
  if (file.Has("InstrumentUpdateInterval") &&
      (!file.ReadFloat("InstrumentUpdateInterval", &interval) || !std::isfinite(interval) || interval <= 0))
    return std::nullopt;
  return interval;
}

}  // namespace sim
