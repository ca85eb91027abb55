#include "platform/sdl/sdl_platform.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/bitmap_file.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_music.h"
#include "platform/sdl/sdl_video.h"
#include "platform/sdl_platform_factory.h"

namespace platform {

namespace {

constexpr int kPictureWidth = 640, kPictureHeight = 480;

uint32_t PackPoint(int x, int y) {
  return (static_cast<uint32_t>(x) & 0xFFFF) | ((static_cast<uint32_t>(y) & 0xFFFF) << 16);
}

std::string Tried(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr || *value == '\0') return std::string(variable) + " is not set";
  return std::string(variable) + "=" + value + " could not be opened";
}

}  // namespace

SdlPlatform::SdlPlatform(int scale, PresentPath present, ScaleMode mode)
    : scale_(scale < 1 ? 1 : scale), present_(present), mode_(mode) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "0");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  const bool started = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) == 0;
  const char* driver = SDL_GetCurrentVideoDriver();
  headless_video_ = driver != nullptr &&
                    (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  if ((!started || headless_video_) && (asked == nullptr || *asked == '\0')) {
    // SDL would fall back to drawing off screen, and the game would run unseen.
    std::fprintf(stderr,
                 "lantern-drift: no display: %s; %s. Start it in a desktop session, or set "
                 "SDL_VIDEODRIVER=dummy to run it without a window.\n",
                 Tried("DISPLAY").c_str(), Tried("WAYLAND_DISPLAY").c_str());
    has_display_ = false;
    return;
  }
  if (!started) std::fprintf(stderr, "lantern-drift: SDL could not start: %s\n", SDL_GetError());
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
    std::fprintf(stderr, "lantern-drift: no joystick support: %s\n", SDL_GetError());
  MusicEventType();
  audio_ = std::make_unique<SdlAudio>();
}

SdlPlatform::~SdlPlatform() {
  audio_.reset();
  video_.reset();
  if (joystick_ != nullptr) SDL_JoystickClose(joystick_);
  pad_.Close();
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  SDL_Quit();
}

uint32_t SdlPlatform::Clock() { return static_cast<uint32_t>(SDL_GetTicks64()); }

bool SdlPlatform::CreateMainWindow(const std::string& caption, bool full_screen, bool topmost) {
  full_screen_ = full_screen;
  topmost_ = topmost;
  Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE;
  int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
  int w = 640 * WindowScale(), h = 480 * WindowScale();
  SDL_DisplayMode desktop;
  if (full_screen && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
    // Sized to the screen as well, so that it covers it where no window manager applies the state.
    flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
    x = y = 0;
    w = desktop.w;
    h = desktop.h;
  } else if (!full_screen && topmost) {
    flags |= SDL_WINDOW_ALWAYS_ON_TOP;
  }
  window_ = SDL_CreateWindow(caption.c_str(), x, y, w, h, flags);
  if (window_ == nullptr) {
    std::fprintf(stderr, "lantern-drift: cannot create the window: %s\n", SDL_GetError());
    return false;
  }
  // Smaller, the picture would lose rows and columns.
  SDL_SetWindowMinimumSize(window_, kPictureWidth, kPictureHeight);
  SDL_StopTextInput();
  video_ = std::make_unique<SdlVideo>(window_, present_, mode_);
  SDL_GetWindowPosition(window_, &x, &y);
  PostMessage({MsgKind::kMove, 0, PackPoint(x, y)});
  // A shown window is the active application, as on the old desktop.
  active_ = true;
  PostMessage({MsgKind::kActivateApp, 1, 0});
  return true;
}

// The asked scale, held to what the desktop's usable area can show.
int SdlPlatform::WindowScale() const {
  SDL_Rect area{0, 0, 640, 480};
  SDL_GetDisplayUsableBounds(0, &area);
  int scale = scale_;
  while (scale > 1 && (640 * scale > area.w || 480 * scale > area.h)) --scale;
  return scale;
}

void SdlPlatform::SetWindowIcon(const Image& icon) {
  if (window_ == nullptr || icon.width <= 0 || icon.height <= 0 ||
      icon.pixels.size() != static_cast<size_t>(icon.width) * static_cast<size_t>(icon.height))
    return;
  std::vector<uint32_t> argb(icon.pixels);
  for (uint32_t& p : argb) p = p == 0 ? 0 : p | 0xFF000000u;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(argb.data(), icon.width, icon.height, 32,
                                                      icon.width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (s == nullptr) return;
  SDL_SetWindowIcon(window_, s);
  SDL_FreeSurface(s);
}

// Alt+Enter and F11: the same picture, full screen or in a window, for the rest of the run.
void SdlPlatform::ToggleFullScreen() {
  if (window_ == nullptr) return;
  full_screen_ = !full_screen_;
  if (full_screen_) {
    SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
  } else {
    SDL_SetWindowFullscreen(window_, 0);
    SDL_SetWindowBordered(window_, SDL_TRUE);
    SDL_SetWindowSize(window_, 640 * WindowScale(), 480 * WindowScale());
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    SDL_SetWindowAlwaysOnTop(window_, topmost_ ? SDL_TRUE : SDL_FALSE);
  }
  if (video_) video_->Resized();
  PostMessage({MsgKind::kDisplayMode, full_screen_ ? 1u : 0u, 0});
}

void SdlPlatform::DestroyMainWindow() {
  video_.reset();
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  window_ = nullptr;
}

void SdlPlatform::TranslateWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE: PostMessage({MsgKind::kClose, 0, 0}); break;
    case SDL_WINDOWEVENT_MOVED:
      PostMessage({MsgKind::kMove, 0, PackPoint(event.data1, event.data2)});
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
      if (video_) video_->Redraw();
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      if (video_) video_->Resized();
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (!active_) {
        active_ = true;
        audio_->SetFocus(true);
        PostMessage({MsgKind::kActivateApp, 1, 0});
      }
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (active_ && !headless_video_) {
        active_ = false;
        audio_->SetFocus(false);
        PostMessage({MsgKind::kActivateApp, 0, 0});
      }
      break;
    default: break;
  }
}

bool SdlPlatform::Translate(const SDL_Event& event, Message& out) {
  if (event.type == MusicEventType()) {
    out = {MsgKind::kMusicNotify, static_cast<uint32_t>(event.user.code), 0};
    return true;
  }
  switch (event.type) {
    case SDL_QUIT: out = {MsgKind::kClose, 0, 0}; return true;
    case SDL_WINDOWEVENT: TranslateWindowEvent(event.window); return false;
    case SDL_KEYDOWN: {
      const SDL_Keycode sym = event.key.keysym.sym;
      if (sym == SDLK_F11 || (sym == SDLK_RETURN && (event.key.keysym.mod & KMOD_ALT) != 0)) {
        if (event.key.repeat == 0) ToggleFullScreen();
        return false;
      }
      const int vk = VirtualKey(event.key.keysym.sym);
      if (vk == 0) return false;
      const bool system = (event.key.keysym.mod & KMOD_ALT) != 0 || vk == VK_F10;
      out = {system ? MsgKind::kSysKeyDown : MsgKind::kKeyDown, static_cast<uint32_t>(vk), 0};
      return true;
    }
    case SDL_MOUSEMOTION: out = {MsgKind::kSetCursor, 0, 0}; return true;
    case SDL_MOUSEBUTTONDOWN: {
      if (event.button.button != SDL_BUTTON_LEFT) return false;
      int x = event.button.x, y = event.button.y;
      if (video_) video_->ToPicture(x, y);
      out = {MsgKind::kMouseDown, 1, PackPoint(x, y)};
      return true;
    }
    case SDL_RENDER_DEVICE_RESET:
    case SDL_RENDER_TARGETS_RESET:
      if (video_) video_->OnRenderReset();
      return false;
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED: OpenJoystick(); return false;
    default: return pad_.Translate(event, out);
  }
}

bool SdlPlatform::PeekMessage(Message& out) {
  SDL_Event event;
  while (posted_.empty() && SDL_PollEvent(&event)) {
    Message m;
    if (Translate(event, m)) posted_.push_back(m);
  }
  if (posted_.empty()) return false;
  out = posted_.front();
  posted_.pop_front();
  return true;
}

void SdlPlatform::WaitMessage() {
  if (posted_.empty()) SDL_WaitEvent(nullptr);
}

void SdlPlatform::PostMessage(const Message& message) { posted_.push_back(message); }

void SdlPlatform::ShowCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

void SdlPlatform::CursorPos(int& x, int& y) { SDL_GetGlobalMouseState(&x, &y); }

void SdlPlatform::FlushKeys() {
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_KEYDOWN, SDL_TEXTINPUT);
}

// Only where the game has no window to draw a box in: the text goes to
// standard error and the default button answers.
int SdlPlatform::MessageBox(const std::string& text, const std::string& caption, unsigned style) {
  std::string line = text;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), line.c_str());
  return (style & 0xF) == MB_YESNO ? IDYES : IDOK;
}

void SdlPlatform::BoxOpened(const std::string&, const std::string&, unsigned) { FlushKeys(); }

// SDL has no bell of its own; the terminal bell is the nearest thing.
void SdlPlatform::Beep() { std::fputc('\a', stderr); }

bool SdlPlatform::OpenDisplay(int width, int height, bool full_screen) {
  if (!video_) return false;
  const bool ok = video_->Open(width, height, full_screen);
  // Creating the renderer re-creates the window: its show and focus events are set-up, not news.
  SDL_PumpEvents();
  SDL_FlushEvent(SDL_WINDOWEVENT);
  return ok;
}

void SdlPlatform::CloseDisplay() {
  if (video_) video_->Close();
}

bool SdlPlatform::WaitVerticalBlank() { return video_ && video_->WaitVerticalBlank(); }

void SdlPlatform::PresentFrame(const uint16_t* pixels, int width, int height, int pitch) {
  if (video_) video_->Present(pixels, width, height, pitch, false);
}

void SdlPlatform::PresentAgain(const uint16_t* pixels, int width, int height, int pitch) {
  if (video_) video_->Present(pixels, width, height, pitch, true);
}

bool SdlPlatform::SurfacesLost() { return video_ && video_->SurfacesLost(); }

void SdlPlatform::ShowDesktop() {}

bool SdlPlatform::LoadBitmap(const std::string& path, Image& out, std::string& why) {
  return DecodeBitmapFile(path, out, why);
}

void SdlPlatform::DrawText(PixelView target, int x, int y, const std::string& sjis_text, int face,
                           int height, uint32_t text_colour, uint32_t back_colour,
                           bool transparent) {
  if (video_)
    video_->DrawText(target, x, y, sjis_text, face, height, text_colour, back_colour, transparent);
}

bool SdlPlatform::OpenSound() { return audio_->Open(); }
void SdlPlatform::CloseSound() { audio_->Close(); }
int SdlPlatform::CreateSoundBuffer(const WaveFormat& format, const uint8_t* data, size_t bytes) {
  return audio_->CreateBuffer(format, data, bytes);
}
void SdlPlatform::PlayBuffer(int buffer, int pan) { audio_->Play(buffer, pan); }
void SdlPlatform::StopBuffer(int buffer) { audio_->Stop(buffer); }
void SdlPlatform::ReleaseBuffer(int buffer) { audio_->Release(buffer); }
int SdlPlatform::SendMusicCommand(const std::string& command, std::string* answer) {
  return audio_->MusicCommand(command, answer);
}

void SdlPlatform::SpendPadPress() { pad_.SpendPress(); }

bool SdlPlatform::KeyDown(int vk) { return KeyboardHeld(vk) || pad_.Held(vk); }

void SdlPlatform::SetVolumes(int music, int sound) { audio_->SetVolumes(music, sound); }

void SdlPlatform::OpenJoystick() {
  if (joystick_ != nullptr && SDL_JoystickGetAttached(joystick_)) return;
  if (joystick_ != nullptr) SDL_JoystickClose(joystick_);
  joystick_ = SDL_NumJoysticks() > 0 ? SDL_JoystickOpen(0) : nullptr;
}

bool SdlPlatform::JoystickButtons(unsigned joystick, uint32_t& mask) {
  if (joystick != 0 || joystick_ == nullptr || !SDL_JoystickGetAttached(joystick_)) return false;
  mask = 0;
  const int buttons = SDL_JoystickNumButtons(joystick_);
  for (int b = 0; b < buttons && b < 32; ++b)
    if (SDL_JoystickGetButton(joystick_, b) != 0) mask |= 1u << b;
  return true;
}

void SdlPlatform::RescanJoysticks() { OpenJoystick(); }

std::string SdlPlatform::ProgramPath() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n > 0) return std::string(path, static_cast<size_t>(n));
  char* base = SDL_GetBasePath();
  std::string result = base != nullptr ? std::string(base) + "lantern-drift" : "./lantern-drift";
  SDL_free(base);
  return result;
}

}  // namespace platform

namespace platform {

std::unique_ptr<Platform> MakeSdlPlatform(int scale, PresentPath present, ScaleMode mode) {
  auto sdl = std::make_unique<SdlPlatform>(scale, present, mode);
  if (!sdl->HasDisplay()) return nullptr;
  return sdl;
}

}  // namespace platform
