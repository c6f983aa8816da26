// The cockpits' page scales at the default configuration: the host's
// single-precision factors, widened to double.
#pragma once

constexpr double kGenericScale = static_cast<double>(1.2f);
constexpr double kVirtualScale = static_cast<double>(0.8f);
constexpr double kPanelScale = static_cast<double>(0.9f);
