// The host's free functions, as the host exports them, forwarded to the core.
#include "host/oapi.h"
#include "sim/core/host_core.h"

void InitLib(HINSTANCE hModule) { vh_init_lib(hModule); }

int Date2Int(char* date) { return vh_date_to_int(date); }

int oapiRegisterMFDMode(MFDMODESPEC& record) {
  return vh_register_mode(record.name, static_cast<unsigned>(record.key), reinterpret_cast<void*>(record.msgproc));
}

bool oapiUnregisterMFDMode(int mode) { return vh_unregister_mode(mode) != 0; }

FILEHANDLE oapiOpenFile(const char* fname, FileAccessMode mode, PathRoot root) {
  return vh_open_file(fname, mode, root);
}

void oapiCloseFile(FILEHANDLE f, FileAccessMode mode) { vh_close_file(f, mode); }

bool oapiReadItem_float(FILEHANDLE f, char* item, double& val) { return vh_read_float(f, item, &val) != 0; }

int oapiCockpitMode() { return vh_cockpit_mode(); }

VESSEL* oapiGetFocusInterface() { return static_cast<VESSEL*>(vh_focus_vessel()); }

int oapiGetFocusAttitudeMode() { return vh_focus_attitude_mode(); }
