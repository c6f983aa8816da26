// The display base classes the host gives modules.
#include "host/mfd.h"
#include "sim/core/host_core.h"
#include "sim/orbiter/host_members.h"

namespace {

// The host's members, taken where they are accessible: in the constructor.
void* MFD::*recordMember;
DWORD MFD::*cwMember;
DWORD MFD::*chMember;

}  // namespace

void SetHostMembers(MFD& display, void* record, DWORD cw, DWORD ch) {
  display.*recordMember = record;
  display.*cwMember = cw;
  display.*chMember = ch;
}

MFD::MFD(DWORD w, DWORD h, VESSEL* vessel) : W(w), H(h), cw(0), ch(0), pV(vessel), hostDisplay(0) {
  recordMember = &MFD::hostDisplay;
  cwMember = &MFD::cw;
  chMember = &MFD::ch;
}

MFD::~MFD() {}

void MFD::Title(HDC hDC, const char* title) const { vh_title(hDC, title, static_cast<int>(cw / 2)); }

HPEN MFD::SelectDefaultPen(HDC hDC, DWORD i) const {
  vh_select_default_pen(hDC, i);
  return 0;
}

HFONT MFD::SelectDefaultFont(HDC hDC, DWORD i) const {
  vh_select_default_font(hDC, i);
  return 0;
}

GraphMFD::GraphMFD(DWORD w, DWORD h, VESSEL* vessel) : MFD(w, h, vessel), ngraph(0), graph(0) {
  vh_display_constructed(w, h);
}

GraphMFD::~GraphMFD() {}
