// The real platform on SDL2: window, events, boxes and joystick here; keys and
// the controller in sdl_keys, the display and text in SdlVideo, sound effects
// and music in SdlAudio.
#pragma once

#include <SDL.h>

#include <deque>
#include <memory>

#include "platform/platform.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl_platform_factory.h"

namespace platform {

class SdlVideo;
class SdlAudio;

class SdlPlatform : public Platform {
 public:
  explicit SdlPlatform(int scale, PresentPath present = PresentPath::kChoose,
                       ScaleMode mode = ScaleMode::kWhole);
  ~SdlPlatform() override;

  uint32_t Clock() override;
  bool CreateMainWindow(const std::string& caption, bool full_screen, bool topmost) override;
  void DestroyMainWindow() override;
  void SetWindowIcon(const Image& icon) override;
  bool PeekMessage(Message& out) override;
  void WaitMessage() override;
  void PostMessage(const Message& message) override;
  void ShowCursor(bool show) override;
  void CursorPos(int& x, int& y) override;
  int MessageBox(const std::string& text, const std::string& caption, unsigned style) override;
  void BoxOpened(const std::string& text, const std::string& caption, unsigned style) override;
  void Beep() override;
  bool OpenDisplay(int width, int height, bool full_screen) override;
  void CloseDisplay() override;
  bool WaitVerticalBlank() override;
  void PresentFrame(const uint16_t* pixels, int width, int height, int pitch) override;
  void PresentAgain(const uint16_t* pixels, int width, int height, int pitch) override;
  bool SurfacesLost() override;
  void ShowDesktop() override;
  bool LoadBitmap(const std::string& path, Image& out, std::string& why) override;
  void DrawText(PixelView target, int x, int y, const std::string& sjis_text, int face, int height,
                uint32_t text_colour, uint32_t back_colour, bool transparent) override;
  bool OpenSound() override;
  void CloseSound() override;
  int CreateSoundBuffer(const WaveFormat& format, const uint8_t* data, size_t bytes) override;
  void PlayBuffer(int buffer, int pan) override;
  void StopBuffer(int buffer) override;
  void ReleaseBuffer(int buffer) override;
  int SendMusicCommand(const std::string& command, std::string* answer) override;
  bool KeyDown(int vk) override;
  bool JoystickButtons(unsigned joystick, uint32_t& mask) override;
  void RescanJoysticks() override;
  void SetVolumes(int music, int sound) override;
  void SpendPadPress() override;
  std::string ProgramPath() override;

  // False after saying why when no real display could be opened and the
  // player did not ask for SDL's dummy or offscreen driver.
  bool HasDisplay() const { return has_display_; }

 private:
  int WindowScale() const;
  void ToggleFullScreen();
  bool Translate(const SDL_Event& event, Message& out);
  void TranslateWindowEvent(const SDL_WindowEvent& event);
  void FlushKeys();
  void OpenJoystick();

  int scale_ = 1;
  PresentPath present_;
  ScaleMode mode_;
  bool topmost_ = false;
  bool has_display_ = true;
  SDL_Window* window_ = nullptr;
  bool full_screen_ = false;
  bool headless_video_ = false;  // SDL's dummy or offscreen driver: never gets focus
  bool active_ = false;
  std::deque<Message> posted_;
  SDL_Joystick* joystick_ = nullptr;
  SdlPad pad_;
  std::unique_ptr<SdlVideo> video_;
  std::unique_ptr<SdlAudio> audio_;
};

}  // namespace platform
