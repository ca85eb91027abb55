// The frame-rate overlay and its two-second statistics.
#include <algorithm>
#include <cstdio>

#include "library/draw/el_draw.h"
#include "platform/platform.h"

namespace {

constexpr uint32_t kSamplePeriodMs = 2000;
constexpr int kMaxCount = 999;

}  // namespace

void elDraw::SampleFps() {
  fps_.current = static_cast<float>(fps_.counter / 2.0);
  if (fps_.current > fps_.maximum) fps_.maximum = fps_.current;
  if (fps_.current > 0.0f && fps_.minimum > fps_.current) fps_.minimum = fps_.current;
  fps_.next_sample = platform::Get().Clock() + kSamplePeriodMs;
  fps_.counter = 0;
}

void elDraw::DrawFps() {
  if (platform::Get().Clock() >= fps_.next_sample) SampleFps();
  fps_.counter = std::min(fps_.counter + 1, kMaxCount);
  std::snprintf(fps_text_.data(), fps_text_.size(), "%3.1f fps ( max %3.1f / min %3.1f )",
                static_cast<double>(fps_.current), static_cast<double>(fps_.maximum),
                static_cast<double>(fps_.minimum));
  BeginText(1, 12, 0, 0, 0, 0);
  SetTextColors(0xFFFFFF, 0x800000, 0);
  WriteText(0, 0, fps_text_.data());
  EndText();
}
