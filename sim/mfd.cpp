// The display base classes the host gives modules.
#include <cstring>

#include "host/mfd.h"
#include "sim/host.h"
#include "sim/host_drawing.h"

using sim::Field;
using sim::TheHost;

MFD::MFD(DWORD w, DWORD h, VESSEL* vessel) : W(w), H(h), cw(0), ch(0), pV(vessel), hostDisplay(nullptr) {}
MFD::~MFD() = default;
void MFD::InvalidateDisplay() {}
void MFD::InvalidateButtons() {}

void MFD::Title(HDC hDC, const char* title) const {
  const int len = title ? static_cast<int>(std::strlen(title)) : 0;
  if (TheHost().trace.Enabled()) TheHost().trace.Add("Title %s", Field::Text(title, len).c_str());
  if (hDC && title) sim::DrawTitle(hDC, static_cast<int>(cw / 2), title, len);
}

HPEN MFD::SelectDefaultPen(HDC hDC, DWORD i) const {
  TheHost().trace.Add("SelectDefaultPen %u", static_cast<unsigned>(i));
  if (hDC) sim::SelectHostPen(hDC, static_cast<int>(i));
  return nullptr;
}

HFONT MFD::SelectDefaultFont(HDC hDC, DWORD i) const {
  TheHost().trace.Add("SelectDefaultFont %u", static_cast<unsigned>(i));
  if (hDC) sim::SelectHostFont(hDC, static_cast<int>(i));
  return nullptr;
}

GraphMFD::GraphMFD(DWORD w, DWORD h, VESSEL* vessel) : MFD(w, h, vessel), ngraph(0), graph(nullptr) {
  TheHost().trace.Add("GraphMFD %u %u", static_cast<unsigned>(w), static_cast<unsigned>(h));
}

GraphMFD::~GraphMFD() = default;
