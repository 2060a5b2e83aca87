// The bytes the program itself holds from the C library's heap, for the leak
// tests of the Windows build. A walk over that heap (_heapwalk) counts more
// than the program's blocks: under Wine the heap is shared with Wine's own
// libraries, whose caches and tables grow as they please, so the walk's sum
// moved by a few bytes per mode switch with nothing of the program's left
// behind. The linker sends the program's own calls of malloc and friends here
// (--wrap, see tests/CMakeLists.txt), and each block is counted by the size
// the heap gives it, on the way in and on the way out.

#include <malloc.h>

#include <atomic>
#include <cstddef>

extern "C" {
void *__real_malloc(size_t size);
void *__real_calloc(size_t count, size_t size);
void *__real_realloc(void *block, size_t size);
void __real_free(void *block);
}

namespace {

// Unsigned, so that a block the C library allocated and the program frees
// (not counted in, counted out) shows as a difference, not as undefined.
std::atomic<size_t> held{0};

void *countedIn(void *block) {
  if (block) held.fetch_add(_msize(block), std::memory_order_relaxed);
  return block;
}

void countedOut(void *block) {
  if (block) held.fetch_sub(_msize(block), std::memory_order_relaxed);
}

}  // namespace

extern "C" {

void *__wrap_malloc(size_t size) {
  return countedIn(__real_malloc(size));
}

void *__wrap_calloc(size_t count, size_t size) {
  return countedIn(__real_calloc(count, size));
}

void *__wrap_realloc(void *block, size_t size) {
  const size_t before = block ? _msize(block) : 0;
  void *moved = __real_realloc(block, size);
  // A failed growth leaves the block as it was; a shrink to nothing frees it.
  if (moved || size == 0) held.fetch_sub(before, std::memory_order_relaxed);
  return countedIn(moved);
}

void __wrap_free(void *block) {
  countedOut(block);
  __real_free(block);
}

}  // extern "C"

size_t countedAllocatedBytes() {
  return held.load(std::memory_order_relaxed);
}
