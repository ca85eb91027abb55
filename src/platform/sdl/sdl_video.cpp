#include "platform/sdl/sdl_video.h"

#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <initializer_list>

#include "platform/sdl/sdl_renderer_present.h"
#include "platform/sdl/sdl_surface_present.h"

namespace platform {

namespace {

constexpr int64_t kSecondNs = 1000000000;
constexpr int kDefaultRefresh = 60;
constexpr int64_t kVsyncSlackPercent = 98;
constexpr unsigned kGlRenderer = 0x1F01;  // GL_RENDERER

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

// What draws for an OpenGL renderer: its context is current once it is made.
std::string GlRendererName(const SDL_RendererInfo& info) {
  if (std::strncmp(info.name, "opengl", 6) != 0) return {};
  using GetString = const unsigned char* (*)(unsigned);
  auto get = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = get != nullptr ? get(kGlRenderer) : nullptr;
  return name != nullptr ? reinterpret_cast<const char*>(name) : "";
}

// A renderer that the processor runs: SDL's own, one that is not accelerated,
// or OpenGL on Mesa's software rasterisers.
bool RunsOnProcessor(const SDL_RendererInfo& info, std::string& name) {
  name = info.name;
  if ((info.flags & SDL_RENDERER_SOFTWARE) != 0 || (info.flags & SDL_RENDERER_ACCELERATED) == 0)
    return true;
  const std::string gl = GlRendererName(info);
  if (!gl.empty()) name += " on " + gl;
  for (const char* soft : {"llvmpipe", "softpipe", "Software"})
    if (gl.find(soft) != std::string::npos) return true;
  return false;
}

// Without a render node no graphics card can draw for us: Mesa would load its
// software rasteriser (tens of megabytes) only for us to find that out.
bool HasRenderNode() {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("renderD", 0) == 0 && access(entry.path().c_str(), R_OK | W_OK) == 0)
      return true;
  }
  return false;
}

PresentPath AskedPath(PresentPath from_config) {
  const char* asked = std::getenv("LANTERN_DRIFT_PRESENT");
  if (asked == nullptr || *asked == '\0') return from_config;
  return PresentPathNamed(asked);
}

}  // namespace

SdlVideo::SdlVideo(SDL_Window* window, PresentPath path, ScaleMode mode)
    : window_(window), path_(AskedPath(path)), fill_(mode == ScaleMode::kFit) {}
SdlVideo::~SdlVideo() { Close(); }

// Vsync first, then without it, then the software renderer. A display that
// does not know its refresh rate has no blank worth waiting for: a software
// GL there paces at a rate of its own, which would beat against the limiter.
SDL_Renderer* SdlVideo::CreateRenderer(bool vsync) {
  for (Uint32 flags :
       {Uint32{SDL_RENDERER_PRESENTVSYNC}, Uint32{0}, Uint32{SDL_RENDERER_SOFTWARE}}) {
    if (flags == SDL_RENDERER_PRESENTVSYNC && !vsync) continue;
    if (SDL_Renderer* renderer = SDL_CreateRenderer(window_, -1, flags)) return renderer;
  }
  std::fprintf(stderr, "lantern-drift: no renderer: %s\n", SDL_GetError());
  return nullptr;
}

// SDL would otherwise back the window surface with a renderer of its own.
bool SdlVideo::OpenSurface() {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  auto surface = std::make_unique<SdlSurfacePresent>(window_, fill_);
  if (!surface->Usable()) return false;
  presenter_ = std::move(surface);
  return true;
}

bool SdlVideo::Open(int width, int height, bool) {
  Close();
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
  const int refresh = RefreshRate(window_);
  frame_ns_ = kSecondNs / (refresh > 0 ? refresh : kDefaultRefresh);
  const char* change = "set LANTERN_DRIFT_PRESENT=renderer or PRESENT=renderer in config.ini";
  if (path_ == PresentPath::kSurface && OpenSurface()) {
    std::fprintf(stderr, "lantern-drift: presenting through the window surface, as asked\n");
  } else if (path_ == PresentPath::kChoose && !HasRenderNode() && OpenSurface()) {
    std::fprintf(stderr,
                 "lantern-drift: presenting through the window surface: no graphics card "
                 "(no render node in /dev/dri); %s to use a renderer anyway\n",
                 change);
  } else if (SDL_Renderer* renderer = CreateRenderer(refresh > 0)) {
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer, &info);
    std::string name;
    if (path_ == PresentPath::kChoose && RunsOnProcessor(info, name)) {
      SDL_DestroyRenderer(renderer);
      renderer = nullptr;
      if (OpenSurface())
        std::fprintf(stderr,
                     "lantern-drift: presenting through the window surface: the renderer "
                     "(%s) runs on the processor; %s to use it anyway\n",
                     name.c_str(), change);
      else
        renderer = CreateRenderer(refresh > 0);
    }
    if (renderer != nullptr) {
      presenter_ = std::make_unique<SdlRendererPresent>(renderer, width, height, fill_);
      std::fprintf(stderr, "lantern-drift: presenting through the %s renderer\n", info.name);
      // The reported rate is rounded to whole hertz. Where vsync really paces, a
      // limiter a little faster than the display never holds a frame past its blank.
      if ((info.flags & SDL_RENDERER_PRESENTVSYNC) != 0)
        frame_ns_ = frame_ns_ * kVsyncSlackPercent / 100;
    }
  } else if (OpenSurface()) {
    std::fprintf(stderr, "lantern-drift: presenting through the window surface\n");
  }
  next_frame_ns_ = NowNs();
  return presenter_ != nullptr;
}

void SdlVideo::Close() { presenter_.reset(); }

// The wait for the blank is the limiter at the end of Present.
bool SdlVideo::WaitVerticalBlank() { return presenter_ != nullptr; }

void SdlVideo::Present(const uint16_t* pixels, int width, int height, int pitch, bool again) {
  if (presenter_ == nullptr) return;
  presenter_->Show(pixels, width, height, pitch, again);
  HoldFrameRate();
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

void SdlVideo::OnRenderReset() {
  lost_ = true;
  if (presenter_) presenter_->Reset();
}

void SdlVideo::Redraw() {
  if (presenter_) presenter_->Redraw();
}

void SdlVideo::Resized() {
  if (presenter_) presenter_->Resized();
}

void SdlVideo::ToPicture(int& x, int& y) const {
  if (presenter_) presenter_->ToPicture(x, y);
}

void SdlVideo::DrawText(PixelView target, int x, int y, const std::string& sjis_text, int face,
                        int height, uint32_t text_colour, uint32_t back_colour, bool transparent) {
  text_.Draw(target, x, y, sjis_text, face, height, text_colour, back_colour, transparent);
}

}  // namespace platform
