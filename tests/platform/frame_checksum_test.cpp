// The frame checksum sees every pixel, and nothing outside the picture.
#include "platform/frame_checksum.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TEST(FrameChecksumTest, EveryPixelCountsAndThePaddingDoesNot) {
  struct Case {
    int width, height, pitch;
  } cases[] = {{640, 3, 640}, {7, 5, 9}, {301, 2, 301}, {1, 4, 2}};
  for (const Case& c : cases) {
    std::vector<uint16_t> frame(static_cast<size_t>(c.pitch) * c.height);
    for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<uint16_t>(i * 40503u);
    const uint64_t sum = platform::FrameChecksum(frame.data(), c.width, c.height, c.pitch);
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.pitch; ++x) {
        uint16_t& p = frame[static_cast<size_t>(y * c.pitch + x)];
        for (uint16_t bit : {uint16_t{1}, uint16_t{0x8000}}) {
          p ^= bit;
          const bool inside = x < c.width;
          EXPECT_EQ(platform::FrameChecksum(frame.data(), c.width, c.height, c.pitch) != sum,
                    inside)
              << c.width << "x" << c.height << " pitch " << c.pitch << " at " << x << "," << y;
          p ^= bit;
        }
      }
  }
}

TEST(FrameChecksumTest, TheRunChecksumFollowsTheOrderOfFrames) {
  const uint64_t a = 1, b = 2, start = platform::kRunChecksumStart;
  EXPECT_NE(platform::AddFrame(platform::AddFrame(start, a), b),
            platform::AddFrame(platform::AddFrame(start, b), a));
  EXPECT_NE(platform::AddFrame(start, a), platform::AddFrame(platform::AddFrame(start, a), a));
}

}  // namespace
