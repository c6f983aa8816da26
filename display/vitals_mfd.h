// The "Vitals" display: one instance per display opened in the mode.
#pragma once

#include "host/mfd.h"
#include "host/vessel.h"

class VitalsMFD : public GraphMFD {
 public:
  VitalsMFD(DWORD w, DWORD h, VESSEL* vessel);

  void Update(HDC hDC) override;
  bool ConsumeKeyBuffered(DWORD key) override;
  bool ConsumeButton(int bt, int event) override;
  char* ButtonLabel(int bt) override;
  int ButtonMenu(const MFDBUTTONMENU** menu) const override;

  // Drawing operations that select the host's default pens and fonts.
  void DrawScaleTag(HDC hDC, double scale) const;
  void DrawKeyCaptions(HDC hDC, double scale) const;
  void DrawPartsLegend(HDC hDC, double scale, int legendOffset) const;
  void DrawControlSurfaces(HDC hDC, double scale, VESSEL* vessel) const;

  // Thruster readout and its group readers.
  static void DrawThrusterReadout(HDC hDC, double scale, VESSEL* vessel);
  static void DrawMainGroup(HDC hDC, double scale, VESSEL* vessel);
  static void DrawRetroGroup(HDC hDC, double scale, VESSEL* vessel);
  static void DrawHoverGroup(HDC hDC, double scale, VESSEL* vessel);
  static void DrawYawGroups(HDC hDC, double scale, VESSEL* vessel);
  static void DrawPitchGroups(HDC hDC, double scale, VESSEL* vessel);
  static void DrawBankGroups(HDC hDC, double scale, VESSEL* vessel);
  static void DrawLateralGroups(HDC hDC, double scale, VESSEL* vessel);
  static void DrawAxialGroups(HDC hDC, double scale, VESSEL* vessel);
  static void DrawVerticalGroups(HDC hDC, double scale, VESSEL* vessel);
  static void DrawRcsReadout(HDC hDC, double scale, VESSEL* vessel, bool autopilotEngaged);

  static void DrawWheelBrakes(HDC hDC, double scale, VESSEL* vessel);
};

// The host writes into every instance by the layout of its own classes, so the
// module's must be that layout exactly, with nothing added.
static_assert(sizeof(GraphMFD) == (sizeof(void*) == 4 ? 36 : 56), "GraphMFD is not laid out as the host's");
static_assert(sizeof(VitalsMFD) == sizeof(GraphMFD), "VitalsMFD adds no data of its own");
