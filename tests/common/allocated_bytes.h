// How many bytes the process holds on the heap right now, for tests that
// prove a long run of operations leaves nothing behind.
#pragma once

#include <malloc.h>

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator keeps the count; not every compiler ships the
// header that declares it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

inline size_t allocatedBytes() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#elif defined(_WIN32)
  // The C library's heap, block by block.
  _HEAPINFO entry{};
  size_t used = 0;
  while (_heapwalk(&entry) == _HEAPOK)
    if (entry._useflag == _USEDENTRY) used += entry._size;
  return used;
#else
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;  // large blocks are mapped on their own
#endif
}
