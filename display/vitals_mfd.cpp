#include "display/vitals_mfd.h"

#include "display/module_values.h"

bool showDescriptions = false;
bool logExhausts = false;
double configGenericMfdSize = 0.0;
double configPanelScale = 0.0;
HWND renderWindow = nullptr;

namespace {

constexpr DWORD kKeyHelp = 0x23;  // H
constexpr DWORD kKeyLog = 0x26;   // L
constexpr int kPressed = 1;

char labelHelp[] = "HLP";
char labelLog[] = "LOG";
char itemGenericMfdSize[] = "GenericMFDSize";
char itemPanelScale[] = "PanelScale";

const MFDBUTTONMENU kMenu[2] = {
    {"Descriptions on monitored parts", nullptr, 'H'},
    {"Logarithmic display of exhausts", nullptr, 'L'},
};

// A missing, unreadable or non-finite value falls back to the default.
void ReadConfigValue(FILEHANDLE f, char* item, double& value, double fallback) {
  if (!oapiReadItem_float(f, item, value) || !__builtin_isfinite(value)) value = fallback;
}

}  // namespace

VitalsMFD::VitalsMFD(DWORD w, DWORD h, VESSEL* vessel) : GraphMFD(w, h, vessel) {
  FILEHANDLE f = oapiOpenFile("Orbiter.cfg", FILE_IN, ROOT);
  ReadConfigValue(f, itemGenericMfdSize, configGenericMfdSize, 6.0);
  ReadConfigValue(f, itemPanelScale, configPanelScale, 1.0);
  oapiCloseFile(f, FILE_IN);
}

bool VitalsMFD::ConsumeKeyBuffered(DWORD key) {
  switch (key) {
    case kKeyHelp:
      showDescriptions = !showDescriptions;
      return true;
    case kKeyLog:
      logExhausts = !logExhausts;
      return true;
    default:
      showDescriptions = false;
      logExhausts = false;
      return false;
  }
}

bool VitalsMFD::ConsumeButton(int bt, int event) {
  if (!(event & kPressed)) return false;
  if (bt == 0) return ConsumeKeyBuffered(kKeyHelp);
  if (bt == 1) return ConsumeKeyBuffered(kKeyLog);
  return false;
}

char* VitalsMFD::ButtonLabel(int bt) {
  if (bt == 0) return labelHelp;
  if (bt == 1) return labelLog;
  return nullptr;
}

int VitalsMFD::ButtonMenu(const MFDBUTTONMENU** menu) const {
  if (menu) *menu = kMenu;
  return 2;
}
