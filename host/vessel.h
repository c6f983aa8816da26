// The host's vessel interface: read-only queries of a vessel's state.
#pragma once

#include "host/oapi.h"

typedef enum {
  THGROUP_MAIN, THGROUP_RETRO, THGROUP_HOVER,
  THGROUP_ATT_PITCHUP, THGROUP_ATT_PITCHDOWN, THGROUP_ATT_YAWLEFT, THGROUP_ATT_YAWRIGHT,
  THGROUP_ATT_BANKLEFT, THGROUP_ATT_BANKRIGHT,
  THGROUP_ATT_RIGHT, THGROUP_ATT_LEFT, THGROUP_ATT_UP, THGROUP_ATT_DOWN,
  THGROUP_ATT_FORWARD, THGROUP_ATT_BACK
} THGROUP_TYPE;

typedef enum { AIRCTRL_ELEVATOR, AIRCTRL_RUDDER, AIRCTRL_AILERON } AIRCTRL_TYPE;

// A vessel as the host presents it. The module only receives pointers to it.
class OAPIFUNC VESSEL {
 public:
  VESSEL(OBJHANDLE hVessel, int fmodel = 1);
  virtual ~VESSEL();

  // Bit 0 landed, bit 1 docked.
  DWORD GetFlightStatus() const;
  // Aerodynamic-control flags: bit 0 pitch, 1 roll, 2 yaw.
  DWORD GetADCtrlMode() const;
  // Whether navigation mode 1 to 7 is active.
  bool GetNavmodeState(int mode);
  // Deflection of a control-surface type, nominally -1 to 1.
  double GetControlSurfaceLevel(AIRCTRL_TYPE type) const;
  // Thrust level, nominally 0 to 1; 0 for a null handle.
  double GetThrusterLevel(THRUSTER_HANDLE th) const;
  // Brake level of wheel 1 (left) or 2 (right), nominally 0 to 1.
  double GetWheelbrakeLevel(int which) const;
  // Number of thrusters in a group.
  DWORD GetGroupThrusterCount(THGROUP_TYPE thgt) const;
  // Handle of the idx-th thruster of a group; null past the last.
  THRUSTER_HANDLE GetGroupThruster(THGROUP_TYPE thgt, DWORD idx) const;

 private:
  OBJHANDLE hVessel;
};
