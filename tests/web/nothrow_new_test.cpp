// A `new (std::nothrow)` that the heap cannot satisfy answers null (the web layer's replacement),
// and the heap still serves what fits afterwards.
#include <cstdint>
#include <cstdio>
#include <new>

int main() {
  constexpr std::size_t kMoreThanTheHeap = std::size_t{96} << 20;  // the memory is 64 MB
  constexpr std::size_t kTable = 4001000;                          // one RADIUS table
  auto* tooBig = new (std::nothrow) std::uint8_t[kMoreThanTheHeap];
  auto* table = new (std::nothrow) std::int32_t[kTable];
  if (tooBig != nullptr || table == nullptr) {
    std::printf("FAIL: too big %p, table %p\n", static_cast<void*>(tooBig),
                static_cast<void*>(table));
    return 1;
  }
  table[kTable - 1] = 1;
  delete[] table;
  std::puts("ok");
  return 0;
}
