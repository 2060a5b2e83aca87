// How many bytes the process holds on the heap right now, for tests that
// prove a long run of operations leaves nothing behind.
#pragma once

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator keeps the count; not every compiler ships the
// header that declares it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#elif defined(KELVARO_COUNTED_ALLOCATIONS)
// The program's own blocks, counted on their way through malloc and free
// (common/allocation_counter.cpp), where the C library's heap is shared with
// code that is not the program's.
size_t countedAllocatedBytes();
#else
#include <malloc.h>
#endif

inline size_t allocatedBytes() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#elif defined(KELVARO_COUNTED_ALLOCATIONS)
  return countedAllocatedBytes();
#else
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;  // large blocks are mapped on their own
#endif
}
