// The host's vessel interface; its handle is the core's vessel record.
#include "host/vessel.h"
#include "sim/core/host_core.h"

VESSEL::VESSEL(OBJHANDLE hVessel, int /*fmodel*/) : hVessel(hVessel) {}

VESSEL::~VESSEL() {}

DWORD VESSEL::GetFlightStatus() const { return vh_flight_status(hVessel); }

DWORD VESSEL::GetADCtrlMode() const { return vh_adc_mode(hVessel); }

bool VESSEL::GetNavmodeState(int mode) { return vh_navmode_state(hVessel, mode) != 0; }

double VESSEL::GetControlSurfaceLevel(AIRCTRL_TYPE type) const { return vh_control_surface_level(hVessel, type); }

double VESSEL::GetThrusterLevel(THRUSTER_HANDLE th) const { return vh_thruster_level(hVessel, th); }

double VESSEL::GetWheelbrakeLevel(int which) const { return vh_wheelbrake_level(hVessel, which); }

DWORD VESSEL::GetGroupThrusterCount(THGROUP_TYPE thgt) const { return vh_group_thruster_count(hVessel, thgt); }

THRUSTER_HANDLE VESSEL::GetGroupThruster(THGROUP_TYPE thgt, DWORD idx) const {
  return vh_group_thruster(hVessel, thgt, idx);
}
