// Host simulator contract: the operations the module calls, all on the host's
// one thread. Only what the page needs is declared.
#pragma once

#include "host/gdi.h"
#include "host/export.h"

using OAPI_MSGTYPE = LRESULT;  // pointer-sized: carries an instance address
using FILEHANDLE = void*;
using OBJHANDLE = void*;
using THRUSTER_HANDLE = void*;

enum FileAccessMode { FILE_IN, FILE_OUT, FILE_APP };
enum PathRoot { ROOT, CONFIG, SCENARIOS, TEXTURES, TEXTURES2, MESHES, MODULES };

// Display mode registration record. The host copies what it keeps.
struct MFDMODESPEC {
  char* name;  // mode name shown to the pilot
  DWORD key;   // selection key, scan code set 1
  // Called by the host; message 1 asks for a new display instance with
  // wparam = width | height << 16 and lparam = the display's VESSEL*.
  OAPI_MSGTYPE (*msgproc)(UINT msg, UINT mfd, WPARAM wparam, LPARAM lparam);
};

class VESSEL;

// Host library start-up, called from the library entry at attach.
OAPIFUNC void InitLib(HINSTANCE module);
// "Mmm dd yyyy" as yyyymmdd; 0 for text the host cannot read.
OAPIFUNC int Date2Int(char* date);

// Registers a display mode; returns a fresh identifier.
OAPIFUNC int oapiRegisterMFDMode(MFDMODESPEC& record);
// Withdraws a mode; an unknown or withdrawn identifier fails harmlessly.
OAPIFUNC bool oapiUnregisterMFDMode(int mode);

// Opens a host configuration file; the handle may be null.
OAPIFUNC FILEHANDLE oapiOpenFile(const char* fname, FileAccessMode mode = FILE_IN, PathRoot root = ROOT);
// Closes a handle from oapiOpenFile; null is ignored.
OAPIFUNC void oapiCloseFile(FILEHANDLE f, FileAccessMode mode);
// Reads the item "item = value"; false and val untouched when missing,
// unreadable or the handle is unusable.
OAPIFUNC bool oapiReadItem_float(FILEHANDLE f, char* item, double& val);

// 1 generic cockpit, 2 2-D panel, 3 virtual cockpit.
OAPIFUNC int oapiCockpitMode();
// The vessel with the input focus; never null while a display refreshes.
OAPIFUNC VESSEL* oapiGetFocusInterface();
// The focus vessel's attitude thruster mode: 0 off, 1 rotation, 2 translation.
OAPIFUNC int oapiGetFocusAttitudeMode();
