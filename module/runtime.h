// The C++ runtime the module uses: nothrow allocation. With Microsoft's ABI
// the module links no C++ library and defines these itself (runtime.cpp);
// elsewhere they are the standard library's.
#pragma once

#if defined(_MSC_VER)
#include <stddef.h>

namespace std {
struct nothrow_t {
  explicit nothrow_t() = default;
};
extern const nothrow_t nothrow;
}  // namespace std

void* operator new(size_t size, const std::nothrow_t&) noexcept;
void operator delete(void* p) noexcept;
#else
#include <new>
#endif
