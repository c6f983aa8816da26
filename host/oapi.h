// Host simulator contract: the operations the module calls, all on the host's
// one thread. Only what the page needs is declared, exactly as the host
// declares it, so that the decorated names match the host's exports.
#pragma once

#include "host/export.h"
#include "host/gdi.h"

// What the mode's message procedure returns: an instance address. The 32-bit
// host declares it int; the 64-bit host, and the stand-in off Windows, LRESULT.
#if defined(_WIN32) && !defined(_WIN64)
typedef int OAPI_MSGTYPE;
#else
typedef LRESULT OAPI_MSGTYPE;
#endif
typedef void* FILEHANDLE;
typedef void* OBJHANDLE;
typedef void* THRUSTER_HANDLE;

typedef enum { FILE_IN, FILE_OUT, FILE_APP, FILE_IN_ZEROONFAIL } FileAccessMode;
typedef enum { ROOT, CONFIG, SCENARIOS, TEXTURES, TEXTURES2, MESHES, MODULES } PathRoot;

// Display mode registration record. The host copies what it keeps.
typedef struct {
  char* name;  // mode name shown to the pilot
  DWORD key;   // selection key, scan code set 1
  // Called by the host. Message 4 (wparam: the address of an MFDMODEOPENSPEC)
  // asks for an instance; a module that answers 0 then gets message 1 with
  // wparam = width | height << 16 and lparam = the display's VESSEL*.
  OAPI_MSGTYPE (*msgproc)(UINT msg, UINT mfd, WPARAM wparam, LPARAM lparam);
} MFDMODESPEC;

class VESSEL;

// Host library start-up, called from the library entry at attach: the host
// logs the module's GetModuleVersion, then calls its InitModule, else its
// opcDLLInit, with the module handle.
OAPIFUNC void InitLib(HINSTANCE hModule);
// "Mmm dd yyyy" as (yyyy % 100) * 10000 + month * 100 + day.
OAPIFUNC int Date2Int(char* date);

// Registers a display mode; returns its identifier.
OAPIFUNC int oapiRegisterMFDMode(MFDMODESPEC& record);
// Withdraws a mode; an unknown or withdrawn identifier fails harmlessly.
OAPIFUNC bool oapiUnregisterMFDMode(int mode);

// Opens a host configuration file; the handle may be null.
OAPIFUNC FILEHANDLE oapiOpenFile(const char* fname, FileAccessMode mode, PathRoot root = ROOT);
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
