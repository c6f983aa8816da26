// Counts the heap allocations made while countingAllocations is set, and fails
// nothrow ones while failNothrowAllocations is set, by replacing the global
// allocation functions: include in one source file of a program only.
#pragma once

#include <cstdlib>
#include <new>

inline long allocations = 0;
inline bool countingAllocations = false;
inline bool failNothrowAllocations = false;

void* operator new(std::size_t n) {
  if (countingAllocations) ++allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  if (failNothrowAllocations) return nullptr;
  if (countingAllocations) ++allocations;
  return std::malloc(n ? n : 1);
}
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop
