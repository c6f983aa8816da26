// The host's own drawing on a real device context, with GDI pens and a font made once.
#include "sim/host_drawing.h"
#include "sim/surface/style.h"
#include "sim/windows/gdi_objects.h"

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

void DrawTitle(HDC hdc, const char* title, int len) {
  SetTextColor(hdc, kTitleColour);
  TextOutA(hdc, kTitleX, kTitleY, title, len);
}

void SelectHostPen(HDC hdc, int index) {
  if (const HPEN pen = DefaultPen(index)) SelectObject(hdc, pen);
}

void SelectHostFont(HDC hdc, int index) {
  if (const HFONT font = DefaultFont(index)) SelectObject(hdc, font);
}

}  // namespace sim
