// A deterministic platform for tests: a virtual clock that the test moves,
// scripted messages and keys, recorded boxes, sounds and music commands, and
// the last presented frame kept for inspection.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

class HeadlessPlatform : public Platform {
 public:
  struct Box {
    std::string text;
    std::string caption;
    unsigned style;
  };
  struct TextCall {
    int x, y;
    std::string text;
    int face, height;
    uint32_t text_colour, back_colour;
    bool transparent;
  };
  struct SoundBuffer {
    WaveFormat format;
    std::vector<uint8_t> data;
    int plays = 0;
    int stops = 0;
    bool released = false;
  };

  // --- script, set up by a test ---
  // Delivers the message once the clock reaches at_ms.
  void At(uint32_t at_ms, const Message& message);
  // Presses a key at at_ms (a key-down message) and holds it for hold_ms.
  void PressKey(uint32_t at_ms, int vk, uint32_t hold_ms = 50);
  // Holds a key down from at_ms for hold_ms without sending a message.
  void HoldKey(uint32_t at_ms, int vk, uint32_t hold_ms);
  // Answers for the next boxes, in order; afterwards boxes answer IDOK / IDYES.
  std::deque<int> box_answers;
  // Milliseconds a box stays open.
  uint32_t box_open_ms = 0;
  // Drawn boxes get their answer key scripted; off when a test presses the keys itself.
  bool answer_boxes = true;
  // Each presented frame advances the clock by this much.
  uint32_t frame_ms = 16;
  // Called at every vertical blank: a test's player looks at the game and presses keys.
  std::function<void()> on_frame;
  // The loop sees a quit message once the clock passes this.
  uint32_t stop_at = UINT32_MAX;
  // Answer to "status midi mode".
  std::string music_status = "stopped";
  // Joystick: absent unless set.
  bool joystick_present = false;
  uint32_t joystick_mask = 0;
  bool sound_device = true;
  bool lose_surfaces_once = false;
  std::string program_path = "./lantern-drift";

  // --- what the program did ---
  uint32_t now = 0;
  bool window_open = false;
  bool window_full_screen = false;
  bool window_topmost = false;
  std::string caption;
  bool display_open = false;
  bool cursor_shown = true;
  int icon_width = 0;  // the window icon last set
  int beeps = 0;
  int sound_closes = 0;
  bool stalled = false;  // the loop waited with nothing left to deliver
  std::vector<Box> boxes;
  std::vector<TextCall> texts;
  std::vector<std::string> music_commands;
  std::vector<SoundBuffer> sound_buffers;
  std::vector<int> play_log;  // buffer handles in play order
  std::vector<int> pan_log;   // the pan of each of those plays
  int music_volume = 100, sound_volume = 100;
  int pad_presses_spent = 0;
  // The last presented frame, kept only when keep_frames is set: a replay needs none.
  bool keep_frames = false;
  std::vector<uint16_t> frame;
  int frame_width = 0, frame_height = 0;
  int frames_repeated = 0;  // presented as the same picture as the one before
  int frames_presented = 0;

  // Sends the music-notify message now, as the end of a piece would.
  void EndMusic(uint32_t code = MCI_NOTIFY_SUCCESSFUL);
  uint16_t FramePixel(int x, int y) const;

  uint32_t Clock() override;
  bool CreateMainWindow(const std::string& caption_text, bool full_screen, bool topmost) override;
  void DestroyMainWindow() override;
  bool PeekMessage(Message& out) override;
  void WaitMessage() override;
  void PostMessage(const Message& message) override;
  void SetWindowIcon(const Image& icon) override;
  void ShowCursor(bool show) override;
  void CursorPos(int& x, int& y) override;
  int MessageBox(const std::string& text, const std::string& caption_text, unsigned style) override;
  void BoxOpened(const std::string& text, const std::string& caption_text, unsigned style) override;
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
  void SetVolumes(int music, int sound) override;
  bool KeyDown(int vk) override;
  bool JoystickButtons(unsigned joystick, uint32_t& mask) override;
  void RescanJoysticks() override;
  void SpendPadPress() override;
  std::string ProgramPath() override;

  int cursor_x = -1, cursor_y = -1;

 private:
  struct Scheduled {
    uint32_t at;
    Message message;
  };
  struct Hold {
    uint32_t from, until;
  };
  void Deliver();
  SoundBuffer* Buffer(int handle);

  std::vector<Scheduled> script_;
  std::deque<Message> queue_;
  std::multimap<int, Hold> holds_;
};

}  // namespace platform
