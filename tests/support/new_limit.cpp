#include <cstdlib>
#include <new>

#include "support/headless_test.h"

#if LD_LIMITS_NEW
size_t g_new_limit = SIZE_MAX;

// Refuses blocks over g_new_limit, as an allocator does when memory runs out.
void* operator new(size_t size) {
  void* block = size <= g_new_limit ? std::malloc(size == 0 ? 1 : size) : nullptr;
  if (block == nullptr) throw std::bad_alloc();
  return block;
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }
#endif
