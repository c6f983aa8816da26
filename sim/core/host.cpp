#include "sim/core/host.h"

#include <utility>

namespace sim {
namespace {

const VhAbiCalls* abiCalls = nullptr;

}  // namespace

void Host::Fault(std::string what) {
  trace.Add("fault %s", what.c_str());
  faults.push_back(std::move(what));
}

void Host::CheckRefreshEnded() {
  if (const int live = brushes.Live(); live > 0) Fault(std::to_string(live) + " brush(es) alive after the refresh");
  if (openPaints > 0) Fault("paint bracket left open after the refresh");
}

const Mode* Host::FindMode(int id) const {
  for (const Mode& m : modes)
    if (m.id == id && m.active) return &m;
  return nullptr;
}

const Mode* Host::FindMode(const std::string& name) const {
  for (const Mode& m : modes)
    if (m.name == name && m.active) return &m;
  return nullptr;
}

void Host::Reset() { *this = Host(); }

Host& TheHost() {
  static Host host;
  return host;
}

const VhAbiCalls& Abi() { return *abiCalls; }

}  // namespace sim

extern "C" void vh_set_abi_calls(const VhAbiCalls* calls) { sim::abiCalls = calls; }
