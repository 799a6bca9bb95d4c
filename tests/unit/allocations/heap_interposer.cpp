// Replacements for the C library's allocation functions and the global
// operator new and delete. Defined in the program, they take the place of
// the C library's in every loaded object (the plug-in, the host's libraries,
// libstdc++ and the C library itself call these). Each reports to the heap
// counter, then allocates with glibc's own allocator through its __libc_
// entry points, so an allocation is seen exactly once.
#include <malloc.h>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "tests/unit/allocations/heap_counter.h"

extern "C" {
void *__libc_malloc(std::size_t size);
void *__libc_calloc(std::size_t count, std::size_t size);
void *__libc_realloc(void *block, std::size_t size);
void __libc_free(void *block);
void *__libc_memalign(std::size_t alignment, std::size_t size);
void *__libc_valloc(std::size_t size);
void *__libc_pvalloc(std::size_t size);

void *malloc(std::size_t size) noexcept {
  NoteAllocation(size);
  return __libc_malloc(size);
}

void *calloc(std::size_t count, std::size_t size) noexcept {
  NoteAllocation(size);
  return __libc_calloc(count, size);
}

// Growing or moving a block counts as an allocation; freeing through it
// (size 0) does not.
void *realloc(void *block, std::size_t size) noexcept {
  if (block == nullptr || size != 0) NoteAllocation(size);
  return __libc_realloc(block, size);
}

void *reallocarray(void *block, std::size_t count, std::size_t size) noexcept {
  if (size != 0 && count > SIZE_MAX / size) {
    errno = ENOMEM;
    return nullptr;
  }
  return realloc(block, count * size);
}

void free(void *block) noexcept { __libc_free(block); }

void *memalign(std::size_t alignment, std::size_t size) noexcept {
  NoteAllocation(size);
  return __libc_memalign(alignment, size);
}

void *aligned_alloc(std::size_t alignment, std::size_t size) noexcept {
  NoteAllocation(size);
  return __libc_memalign(alignment, size);
}

int posix_memalign(void **block, std::size_t alignment, std::size_t size) noexcept {
  if (alignment < sizeof(void *) || (alignment & (alignment - 1)) != 0) return EINVAL;
  NoteAllocation(size);
  void *result = __libc_memalign(alignment, size);
  if (result == nullptr) return ENOMEM;
  *block = result;
  return 0;
}

void *valloc(std::size_t size) noexcept {
  NoteAllocation(size);
  return __libc_valloc(size);
}

void *pvalloc(std::size_t size) noexcept {
  NoteAllocation(size);
  return __libc_pvalloc(size);
}
}

namespace {

void *New(std::size_t size, std::size_t alignment) {
  NoteAllocation(size);
  if (size == 0) size = 1;
  return alignment <= alignof(std::max_align_t) ? __libc_malloc(size)
                                                : __libc_memalign(alignment, size);
}

void *NewOrThrow(std::size_t size, std::size_t alignment) {
  void *block = New(size, alignment);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

constexpr std::size_t kPlain = alignof(std::max_align_t);

}  // namespace

void *operator new(std::size_t size) { return NewOrThrow(size, kPlain); }
void *operator new[](std::size_t size) { return NewOrThrow(size, kPlain); }
void *operator new(std::size_t size, const std::nothrow_t &) noexcept { return New(size, kPlain); }
void *operator new[](std::size_t size, const std::nothrow_t &) noexcept {
  return New(size, kPlain);
}
void *operator new(std::size_t size, std::align_val_t alignment) {
  return NewOrThrow(size, static_cast<std::size_t>(alignment));
}
void *operator new[](std::size_t size, std::align_val_t alignment) {
  return NewOrThrow(size, static_cast<std::size_t>(alignment));
}
void *operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t &) noexcept {
  return New(size, static_cast<std::size_t>(alignment));
}
void *operator new[](std::size_t size, std::align_val_t alignment,
                     const std::nothrow_t &) noexcept {
  return New(size, static_cast<std::size_t>(alignment));
}

void operator delete(void *block) noexcept { __libc_free(block); }
void operator delete[](void *block) noexcept { __libc_free(block); }
void operator delete(void *block, std::size_t) noexcept { __libc_free(block); }
void operator delete[](void *block, std::size_t) noexcept { __libc_free(block); }
void operator delete(void *block, const std::nothrow_t &) noexcept { __libc_free(block); }
void operator delete[](void *block, const std::nothrow_t &) noexcept { __libc_free(block); }
void operator delete(void *block, std::align_val_t) noexcept { __libc_free(block); }
void operator delete[](void *block, std::align_val_t) noexcept { __libc_free(block); }
void operator delete(void *block, std::size_t, std::align_val_t) noexcept { __libc_free(block); }
void operator delete[](void *block, std::size_t, std::align_val_t) noexcept { __libc_free(block); }
void operator delete(void *block, std::align_val_t, const std::nothrow_t &) noexcept {
  __libc_free(block);
}
void operator delete[](void *block, std::align_val_t, const std::nothrow_t &) noexcept {
  __libc_free(block);
}
