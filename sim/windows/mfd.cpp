// The display base classes, drawing on a real device context.
#include <cstring>

#include "host/mfd.h"
#include "sim/host.h"
#include "sim/style.h"
#include "sim/windows/gdi_objects.h"

using sim::Field;
using sim::TheHost;

namespace sim {

HPEN DefaultPen(int index) {
  static const HPEN pens[3] = {CreatePen(PS_SOLID, 1, kDefaultPens[0]), CreatePen(PS_SOLID, 1, kDefaultPens[1]),
                               CreatePen(PS_SOLID, 1, kDefaultPens[2])};
  return index >= 1 && index <= 3 ? pens[index - 1] : nullptr;
}

HFONT DefaultFont(int index) {
  // The em height in pixels (a negative height asks for the character height),
  // without anti-aliasing, as the Linux host renders it.
  static const HFONT font = CreateFontA(-kDefaultFontPixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                        VARIABLE_PITCH | FF_SWISS, "DejaVu Sans");
  return index == 1 ? font : nullptr;
}

}  // namespace sim

MFD::MFD(DWORD w, DWORD h, VESSEL* vessel) : W(w), H(h), pV(vessel) {}
MFD::~MFD() = default;
bool MFD::ConsumeKeyBuffered(DWORD /*key*/) { return false; }
bool MFD::ConsumeKeyImmediate(char* /*kstate*/) { return false; }
bool MFD::ConsumeButton(int /*bt*/, int /*event*/) { return false; }
char* MFD::ButtonLabel(int /*bt*/) { return nullptr; }
int MFD::ButtonMenu(const MFDBUTTONMENU** /*menu*/) const { return 0; }
void MFD::ReadStatus(FILEHANDLE /*scn*/) {}
void MFD::WriteStatus(FILEHANDLE /*scn*/) const {}
void MFD::StoreStatus() const {}
void MFD::RecallStatus() {}

void MFD::Title(HDC hDC, const char* title) const {
  const int len = title ? static_cast<int>(std::strlen(title)) : 0;
  if (TheHost().trace.Enabled()) TheHost().trace.Add("Title %s", Field::Text(title, len).c_str());
  if (!hDC) return;
  SetTextColor(hDC, sim::kTitleColour);
  TextOutA(hDC, sim::kTitleX, sim::kTitleY, title ? title : "", len);
}

HPEN MFD::SelectDefaultPen(HDC hDC, DWORD i) const {
  TheHost().trace.Add("SelectDefaultPen %u", static_cast<unsigned>(i));
  const HPEN pen = sim::DefaultPen(static_cast<int>(i));
  if (!hDC || !pen) return nullptr;
  return static_cast<HPEN>(SelectObject(hDC, pen));
}

HFONT MFD::SelectDefaultFont(HDC hDC, DWORD i) const {
  TheHost().trace.Add("SelectDefaultFont %u", static_cast<unsigned>(i));
  const HFONT font = sim::DefaultFont(static_cast<int>(i));
  if (!hDC || !font) return nullptr;
  return static_cast<HFONT>(SelectObject(hDC, font));
}

GraphMFD::GraphMFD(DWORD w, DWORD h, VESSEL* vessel) : MFD(w, h, vessel) {
  TheHost().trace.Add("GraphMFD %u %u", static_cast<unsigned>(w), static_cast<unsigned>(h));
}

GraphMFD::~GraphMFD() = default;
