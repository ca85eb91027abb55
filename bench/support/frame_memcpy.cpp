// The reference every figure is given against: one copy of a 640x480 RGB565
// frame, timed in the same run as the benchmark beside it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

void BM_FrameMemcpy(benchmark::State& state) {
  std::vector<uint16_t> from(640 * 480, 0x1234), to(640 * 480);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * sizeof(uint16_t));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FrameMemcpy)->Unit(benchmark::kMicrosecond);

}  // namespace
