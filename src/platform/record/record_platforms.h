// Platforms that record a run to a file and play it back.
#pragma once

#include <string>

#include "platform/frame_checksum.h"
#include "platform/platform.h"
#include "platform/record/record.h"

namespace platform {

// Passes every call to another platform.
class ForwardingPlatform : public Platform {
 public:
  explicit ForwardingPlatform(Platform& inner) : inner_(inner) {}
  uint32_t Clock() override { return inner_.Clock(); }
  bool CreateMainWindow(const std::string& caption, bool full_screen, bool topmost) override {
    return inner_.CreateMainWindow(caption, full_screen, topmost);
  }
  void DestroyMainWindow() override { inner_.DestroyMainWindow(); }
  void SetWindowIcon(const Image& icon) override { inner_.SetWindowIcon(icon); }
  bool PeekMessage(Message& out) override { return inner_.PeekMessage(out); }
  void WaitMessage() override { inner_.WaitMessage(); }
  void PostMessage(const Message& message) override { inner_.PostMessage(message); }
  void ShowCursor(bool show) override { inner_.ShowCursor(show); }
  void CursorPos(int& x, int& y) override { inner_.CursorPos(x, y); }
  int MessageBox(const std::string& text, const std::string& caption, unsigned style) override {
    return inner_.MessageBox(text, caption, style);
  }
  void BoxOpened(const std::string& text, const std::string& caption, unsigned style) override {
    inner_.BoxOpened(text, caption, style);
  }
  void Beep() override { inner_.Beep(); }
  bool OpenDisplay(int width, int height, bool full_screen) override {
    return inner_.OpenDisplay(width, height, full_screen);
  }
  void CloseDisplay() override { inner_.CloseDisplay(); }
  bool WaitVerticalBlank() override { return inner_.WaitVerticalBlank(); }
  void PresentFrame(const uint16_t* pixels, int width, int height, int pitch) override;
  void PresentAgain(const uint16_t* pixels, int width, int height, int pitch) override;
  bool SurfacesLost() override { return inner_.SurfacesLost(); }
  void ShowDesktop() override { inner_.ShowDesktop(); }
  bool LoadBitmap(const std::string& path, Image& out, std::string& why) override {
    return inner_.LoadBitmap(path, out, why);
  }
  void DrawText(PixelView target, int x, int y, const std::string& sjis_text, int face, int height,
                uint32_t text_colour, uint32_t back_colour, bool transparent) override {
    inner_.DrawText(target, x, y, sjis_text, face, height, text_colour, back_colour, transparent);
  }
  bool OpenSound() override { return inner_.OpenSound(); }
  void CloseSound() override { inner_.CloseSound(); }
  int CreateSoundBuffer(const WaveFormat& format, const uint8_t* data, size_t bytes) override {
    return inner_.CreateSoundBuffer(format, data, bytes);
  }
  void PlayBuffer(int buffer, int pan) override { inner_.PlayBuffer(buffer, pan); }
  void StopBuffer(int buffer) override { inner_.StopBuffer(buffer); }
  void ReleaseBuffer(int buffer) override { inner_.ReleaseBuffer(buffer); }
  int SendMusicCommand(const std::string& command, std::string* answer) override {
    return inner_.SendMusicCommand(command, answer);
  }
  void SetVolumes(int music, int sound) override { inner_.SetVolumes(music, sound); }
  bool KeyDown(int vk) override { return inner_.KeyDown(vk); }
  bool JoystickButtons(unsigned joystick, uint32_t& mask) override {
    return inner_.JoystickButtons(joystick, mask);
  }
  void RescanJoysticks() override { inner_.RescanJoysticks(); }
  void SpendPadPress() override { inner_.SpendPadPress(); }
  std::string ProgramPath() override { return inner_.ProgramPath(); }

  // Frames presented so far and the running checksum of their pixels.
  int frames() const { return frames_; }
  uint64_t checksum() const { return checksum_; }

 protected:
  Platform& inner_;
  int frames_ = 0;
  uint64_t checksum_ = kRunChecksumStart;
  uint64_t frame_checksum_ = 0;  // of the last frame presented
};

// Runs on a real platform and writes what it answered to a record.
class RecordingPlatform : public ForwardingPlatform {
 public:
  RecordingPlatform(Platform& inner, RecordWriter& writer)
      : ForwardingPlatform(inner), out_(writer) {}
  // Writes the end of the run: the frames and their checksum.
  void Finish();

  uint32_t Clock() override;
  bool PeekMessage(Message& out) override;
  void WaitMessage() override;
  void CursorPos(int& x, int& y) override;
  int MessageBox(const std::string& text, const std::string& caption, unsigned style) override;
  bool WaitVerticalBlank() override;
  bool SurfacesLost() override;
  void DrawText(PixelView target, int x, int y, const std::string& sjis_text, int face, int height,
                uint32_t text_colour, uint32_t back_colour, bool transparent) override;
  bool OpenSound() override;
  int SendMusicCommand(const std::string& command, std::string* answer) override;
  bool KeyDown(int vk) override;
  bool JoystickButtons(unsigned joystick, uint32_t& mask) override;
  void PresentFrame(const uint16_t* pixels, int width, int height, int pitch) override;
  void PresentAgain(const uint16_t* pixels, int width, int height, int pitch) override;

 private:
  RecordWriter& out_;
  // Surface-loss answers are written when they change, with the number of
  // calls since the last one written; most calls answer the same.
  bool lost_ = false;
  uint32_t lost_repeats_ = 0;
};

// Answers from a record and shows the run on another platform (a window, or
// the headless one). When the program asks for something the record does not
// hold next, or the record runs out, the replay stops: every message is a quit
// from then on, and stopped() says why.
class ReplayingPlatform : public ForwardingPlatform {
 public:
  // record must outlive the replay.
  ReplayingPlatform(Platform& output, const Record& record);
  // After the run: checks that the record ends here with the same frames.
  void Finish();
  const std::string& stopped() const { return stopped_; }
  uint64_t recorded_checksum() const { return recorded_checksum_; }

  uint32_t Clock() override;
  bool PeekMessage(Message& out) override;
  void WaitMessage() override;
  void PostMessage(const Message& message) override;
  void CursorPos(int& x, int& y) override;
  int MessageBox(const std::string& text, const std::string& caption, unsigned style) override;
  bool WaitVerticalBlank() override;
  bool SurfacesLost() override;
  void DrawText(PixelView target, int x, int y, const std::string& sjis_text, int face, int height,
                uint32_t text_colour, uint32_t back_colour, bool transparent) override;
  bool OpenSound() override;
  int SendMusicCommand(const std::string& command, std::string* answer) override;
  bool KeyDown(int vk) override;
  bool JoystickButtons(unsigned joystick, uint32_t& mask) override;

 private:
  // The next event when it is of this kind (and its first value is key, when
  // given); otherwise stops the replay and gives nullptr. It stays valid until
  // the next call.
  const Event* Next(EventKind kind, const uint32_t* key = nullptr);
  // Reads the event at `at` as the upcoming one; none past the last whole event.
  void Load(size_t at);
  void Stop(const std::string& why);

  // Events are read from the record's bytes one at a time, as they are asked for.
  const Record& record_;
  Event upcoming_;
  bool has_upcoming_ = false;
  size_t next_at_ = 0;  // where the event after the upcoming one starts
  size_t index_ = 0;    // how many events were taken, for messages
  Event current_;
  uint32_t last_clock_ = 0;
  bool lost_ = false;          // the surface-loss answer until the record changes it
  uint32_t lost_repeats_ = 0;  // calls given it since the last surface-loss event
  std::string stopped_;
  uint64_t recorded_checksum_ = 0;
};

}  // namespace platform
