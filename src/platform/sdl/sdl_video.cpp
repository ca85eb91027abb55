#include "platform/sdl/sdl_video.h"

#include <cstring>

#include <time.h>

#include <cerrno>
#include <cstdio>
#include <initializer_list>

namespace platform {

namespace {

constexpr int64_t kSecondNs = 1000000000;
constexpr int kDefaultRefresh = 60;
constexpr int64_t kVsyncSlackPercent = 98;

int64_t NowNs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<int64_t>(t.tv_sec) * kSecondNs + t.tv_nsec;
}

void SleepUntil(int64_t ns) {
  const timespec t{static_cast<time_t>(ns / kSecondNs), static_cast<long>(ns % kSecondNs)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
  }
}

// 0 when the display does not say (Xvfb, dummy drivers).
int RefreshRate(SDL_Window* window) {
  SDL_DisplayMode mode{};
  const int display = SDL_GetWindowDisplayIndex(window);
  if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0) return mode.refresh_rate;
  return 0;
}

}  // namespace

SdlVideo::SdlVideo(SDL_Window* window) : window_(window) {}
SdlVideo::~SdlVideo() { Close(); }

// Vsync first, then without it, then the software renderer. A display that
// does not know its refresh rate has no blank worth waiting for: a software
// GL there paces at a rate of its own, which would beat against the limiter.
bool SdlVideo::CreateRenderer(bool vsync) {
  for (Uint32 flags :
       {Uint32{SDL_RENDERER_PRESENTVSYNC}, Uint32{0}, Uint32{SDL_RENDERER_SOFTWARE}}) {
    if (flags == SDL_RENDERER_PRESENTVSYNC && !vsync) continue;
    renderer_ = SDL_CreateRenderer(window_, -1, flags);
    if (renderer_ != nullptr) return true;
  }
  std::fprintf(stderr, "lantern-drift: no renderer: %s\n", SDL_GetError());
  return false;
}

bool SdlVideo::CreateTexture() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                               width_, height_);
  texture_stale_ = false;
  return texture_ != nullptr;
}

// The picture keeps its shape, nearest neighbour, centred with black bars: the
// largest whole multiple that fits, or the exact fit in a window smaller than it.
void SdlVideo::Resized() {
  redraw_ = true;
  int w = 0, h = 0;
  if (renderer_ == nullptr || SDL_GetRendererOutputSize(renderer_, &w, &h) != 0) return;
  SDL_RenderSetIntegerScale(renderer_, w >= width_ && h >= height_ ? SDL_TRUE : SDL_FALSE);
}

bool SdlVideo::Open(int width, int height, bool) {
  Close();
  width_ = width;
  height_ = height;
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
  const int refresh = RefreshRate(window_);
  if (!CreateRenderer(refresh > 0)) return false;
  SDL_RenderSetLogicalSize(renderer_, width, height);
  Resized();
  frame_ns_ = kSecondNs / (refresh > 0 ? refresh : kDefaultRefresh);
  // The reported rate is rounded to whole hertz. Where vsync really paces, a
  // limiter a little faster than the display never holds a frame past its blank.
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0)
    frame_ns_ = frame_ns_ * kVsyncSlackPercent / 100;
  next_frame_ns_ = NowNs();
  return CreateTexture();
}

void SdlVideo::Close() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  texture_ = nullptr;
  renderer_ = nullptr;
}

// The wait for the blank is the limiter at the end of Present.
bool SdlVideo::WaitVerticalBlank() { return renderer_ != nullptr; }

void SdlVideo::Present(const uint16_t* pixels, int width, int height, int pitch) {
  if (renderer_ == nullptr || width != width_ || height != height_) return;
  if (texture_stale_ && !CreateTexture()) return;
  // An unchanged picture is not sent again: an idle screen costs next to nothing.
  if (!redraw_ && SameAsShown(pixels, pitch)) {
    HoldFrameRate();
    return;
  }
  KeepShown(pixels, pitch);
  redraw_ = false;
  SDL_UpdateTexture(texture_, nullptr, pixels, pitch * static_cast<int>(sizeof *pixels));
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
  HoldFrameRate();
}

bool SdlVideo::SameAsShown(const uint16_t* pixels, int pitch) const {
  if (shown_.size() != static_cast<size_t>(width_) * height_) return false;
  for (int y = 0; y < height_; ++y)
    if (std::memcmp(&shown_[static_cast<size_t>(y) * width_], pixels + static_cast<ptrdiff_t>(y) * pitch,
                    static_cast<size_t>(width_) * sizeof *pixels) != 0)
      return false;
  return true;
}

void SdlVideo::KeepShown(const uint16_t* pixels, int pitch) {
  shown_.resize(static_cast<size_t>(width_) * height_);
  for (int y = 0; y < height_; ++y)
    std::memcpy(&shown_[static_cast<size_t>(y) * width_], pixels + static_cast<ptrdiff_t>(y) * pitch,
                static_cast<size_t>(width_) * sizeof *pixels);
}

// Vsync is asked for but not trusted: software renderers claim it without
// pacing, and dummy or offscreen drivers never pace. A frame that came late
// starts the count again rather than hurrying the next ones.
void SdlVideo::HoldFrameRate() {
  const int64_t now = NowNs();
  next_frame_ns_ += frame_ns_;
  if (next_frame_ns_ <= now) {
    next_frame_ns_ = now;
    return;
  }
  SleepUntil(next_frame_ns_);
}

bool SdlVideo::SurfacesLost() {
  const bool lost = lost_;
  lost_ = false;
  return lost;
}

// A reset device has dropped its textures; the next present makes ours again.
void SdlVideo::OnRenderReset() {
  lost_ = true;
  redraw_ = true;
  texture_stale_ = true;
}

void SdlVideo::DrawText(PixelView target, int x, int y, const std::string& sjis_text, int face,
                        int height, uint32_t text_colour, uint32_t back_colour, bool transparent) {
  text_.Draw(target, x, y, sjis_text, face, height, text_colour, back_colour, transparent);
}

}  // namespace platform
