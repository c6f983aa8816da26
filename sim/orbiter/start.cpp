// Windows: Orbiter.exe's entry and the few runtime pieces its code needs, with
// no C runtime start-up in front of it.
#include "sim/orbiter/abi_calls.h"

extern "C" {
void* malloc(decltype(sizeof 0) n);
void free(void* p);
void abort(void);
__declspec(dllimport) void __stdcall ExitProcess(unsigned status);

int _fltused = 0;
}

// Type descriptors hold type_info's vftable only as an address; dynamic_cast
// compares them by name and nothing calls through the table.
extern "C" const void* const typeInfoVftable[1] __asm__("??_7type_info@@6B@") = {nullptr};

extern "C" {

// A noexcept function left by an exception: as the C++ runtime, end the process.
void __std_terminate(void) { abort(); }

// The process's entry, on its one thread: runs vitals-sim in the core with the
// host's ABI calls and exits with its status.
void __stdcall OrbiterStart(void) { ExitProcess(static_cast<unsigned>(vh_run_program(&kAbiCalls))); }
}

// Allocation failure ends the process: the host has no exceptions of its own.
void* operator new(decltype(sizeof 0) n) {
  void* p = malloc(n ? n : 1);
  if (!p) abort();
  return p;
}
void operator delete(void* p) noexcept { free(p); }
void operator delete(void* p, decltype(sizeof 0)) noexcept { free(p); }
