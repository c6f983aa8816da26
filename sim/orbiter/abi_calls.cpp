// What only code of the host's ABI can do for the core: construct vessels, call
// a mode's message procedure and make the virtual calls into a display.
#include "sim/orbiter/abi_calls.h"

#include "host/mfd.h"
#include "host/vessel.h"
#include "sim/orbiter/host_members.h"

namespace {

// The host's newer display class. A module's display of the older class is
// told apart by dynamic_cast, which may throw for an object without type data.
class MFD2 : public MFD {
 public:
  MFD2(DWORD w, DWORD h, VESSEL* vessel) : MFD(w, h, vessel) {}
  virtual bool ConsumeKeyRelease(DWORD) { return false; }
};

using MsgProc = OAPI_MSGTYPE (*)(UINT, UINT, WPARAM, LPARAM);

MFD* Instance(void* instance) { return static_cast<MFD*>(instance); }

void* NewVessel(void* record) { return new VESSEL(record); }

void DeleteVessel(void* vessel) { delete static_cast<VESSEL*>(vessel); }

void* OpenDisplay(void* msgproc, unsigned msg, int w, int h, void* vessel) {
  const MsgProc proc = reinterpret_cast<MsgProc>(msgproc);
  MFDMODEOPENSPEC opening = {w, h, 0};
  const WPARAM wparam = msg == 4 ? reinterpret_cast<WPARAM>(&opening)
                                 : static_cast<WPARAM>(static_cast<DWORD>(w & 0xFFFF) | static_cast<DWORD>(h & 0xFFFF) << 16);
  return reinterpret_cast<void*>(proc(msg, 0, wparam, reinterpret_cast<LPARAM>(vessel)));
}

int AdoptDisplay(void* instance, void* record, unsigned cw, unsigned ch) {
  int newer = 0;
  try {
    newer = dynamic_cast<MFD2*>(Instance(instance)) != 0;
  } catch (...) {
    newer = 0;
  }
  SetHostMembers(*Instance(instance), record, cw, ch);
  return newer;
}

void ReadStatus(void* instance) { Instance(instance)->ReadStatus(0); }

void Update(void* instance, void* dc) { Instance(instance)->Update(static_cast<HDC>(dc)); }

int ConsumeKey(void* instance, unsigned key) { return Instance(instance)->ConsumeKeyBuffered(key); }

int ConsumeButton(void* instance, int bt, int event) { return Instance(instance)->ConsumeButton(bt, event); }

const char* ButtonLabel(void* instance, int bt) { return Instance(instance)->ButtonLabel(bt); }

int ButtonMenu(void* instance, const VhMenuEntry** menu) {
  const MFDBUTTONMENU* table = 0;
  const int n = Instance(instance)->ButtonMenu(menu ? &table : 0);
  if (menu) *menu = reinterpret_cast<const VhMenuEntry*>(table);
  return n;
}

void DeleteDisplay(void* instance) { delete Instance(instance); }

}  // namespace

const VhAbiCalls kAbiCalls = {NewVessel,  DeleteVessel, OpenDisplay,   AdoptDisplay, ReadStatus, Update,
                              ConsumeKey, ConsumeButton, ButtonLabel, ButtonMenu,   DeleteDisplay};

#ifndef _WIN32
// The Linux host library hands the calls over as it is loaded; on Windows,
// Orbiter.exe's entry does.
__attribute__((constructor)) static void HandOverAbiCalls() { vh_set_abi_calls(&kAbiCalls); }
#endif
