// The C++ runtime of the module in Microsoft's ABI, where no C++ library is
// linked and no C runtime start-up runs: allocation over msvcrt's malloc and
// free, the floating-point marker, and the vftable symbol that RTTI type
// descriptors name. Nothing here needs initialising at load.
#include "module/runtime.h"

extern "C" {
__declspec(dllimport) void* __cdecl malloc(size_t size);
__declspec(dllimport) void __cdecl free(void* p);

// Referenced by every object that uses floating point.
int _fltused = 0;
}

namespace std {
const nothrow_t nothrow{};
}  // namespace std

void* operator new(size_t size, const std::nothrow_t&) noexcept { return malloc(size); }
void operator delete(void* p) noexcept { free(p); }
void operator delete(void* p, size_t) noexcept { free(p); }

// Type descriptors hold type_info's vftable only as an address; dynamic_cast
// compares them by name and nothing calls through the table.
extern "C" const void* const typeInfoVftable[1] __asm__("??_7type_info@@6B@") = {nullptr};
