// How the simulator sizes and refreshes its displays.
#pragma once

#include <optional>
#include <string_view>

namespace sim {

// A 2-D panel's display side where the vessel's panel gives none.
constexpr int kPanelDisplaySide = 300;
constexpr int kMaxDisplaySide = 4096;

// The side of a cockpit's square displays, within 1..kMaxDisplaySide:
// - generic cockpit (1): (int)(max(0.625, windowHeight / 800) × 35 × (GenericMFDSize + 5)),
//   GenericMFDSize read from config, Orbiter.cfg's text (6 when missing);
// - virtual cockpit (3): vcMfdSize, the side of its display texture;
// - any other: a 2-D panel's, kPanelDisplaySide.
int CockpitDisplaySide(int cockpitMode, int windowHeight, int vcMfdSize, std::string_view config);

// Seconds between two refreshes of a display: InstrumentUpdateInterval of
// config, Orbiter.cfg's text, 0.5 when missing; none when given but not a
// positive finite number.
std::optional<double> RefreshInterval(std::string_view config);

}  // namespace sim
