// Allocation failures on the web: `new (std::nothrow)` answers null, as the core expects.
//
// Emscripten's C++ library is built without exceptions; its nothrow operator new calls the
// throwing one, which aborts the page when the heap runs out instead of answering null. These
// replacements ask malloc directly, which answers null because the memory is fixed at link time
// and malloc does not abort (ABORTING_MALLOC=0). What they return, delete and delete[] free.
#include <cstddef>
#include <cstdlib>
#include <new>

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size == 0 ? 1 : size);  // every new, even of 0 bytes, is a distinct object
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size == 0 ? 1 : size);
}
