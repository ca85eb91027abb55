#include "platform/headless/headless_platform.h"

#include <algorithm>
#include <cstring>

#include "platform/bitmap_file.h"
#include "platform/midi_file.h"

namespace platform {

namespace {

uint16_t ToRgb565(uint32_t bgr) {
  const uint32_t r = bgr & 0xFF, g = (bgr >> 8) & 0xFF, b = (bgr >> 16) & 0xFF;
  return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

// The first row is filled pixel by pixel, the others are copies of it.
void FillBox(PixelView t, int x0, int y0, int w, int h, uint16_t value) {
  const int left = std::max(x0, 0), right = std::min(x0 + w, t.width);
  const int top = std::max(y0, 0), bottom = std::min(y0 + h, t.height);
  if (left >= right || top >= bottom) return;
  const auto row = [&](int y) { return t.pixels + static_cast<size_t>(y) * t.pitch + left; };
  const auto n = static_cast<size_t>(right - left);
  std::fill_n(row(top), n, value);
  for (int y = top + 1; y < bottom; ++y) std::memcpy(row(y), row(top), n * sizeof(uint16_t));
}

}  // namespace

void HeadlessPlatform::At(uint32_t at_ms, const Message& message) {
  script_.push_back({at_ms, message});
  std::stable_sort(script_.begin(), script_.end(),
                   [](const Scheduled& a, const Scheduled& b) { return a.at < b.at; });
}

void HeadlessPlatform::PressKey(uint32_t at_ms, int vk, uint32_t hold_ms) {
  At(at_ms, {MsgKind::kKeyDown, static_cast<uint32_t>(vk), 0});
  HoldKey(at_ms, vk, hold_ms);
}

void HeadlessPlatform::HoldKey(uint32_t at_ms, int vk, uint32_t hold_ms) {
  std::erase_if(holds_, [this](const auto& h) { return h.second.until <= now; });
  holds_.insert({vk, {at_ms, at_ms + hold_ms}});
}

void HeadlessPlatform::EndMusic(uint32_t code) { PostMessage({MsgKind::kMusicNotify, code, 0}); }

uint16_t HeadlessPlatform::FramePixel(int x, int y) const {
  return frame.at(static_cast<size_t>(y) * frame_width + x);
}

void HeadlessPlatform::Deliver() {
  while (!script_.empty() && script_.front().at <= now) {
    queue_.push_back(script_.front().message);
    script_.erase(script_.begin());
  }
}

uint32_t HeadlessPlatform::Clock() { return now; }

bool HeadlessPlatform::CreateMainWindow(const std::string& caption_text, bool full_screen,
                                        bool topmost) {
  window_open = true;
  window_full_screen = full_screen;
  window_topmost = topmost;
  caption = caption_text;
  PostMessage({MsgKind::kActivateApp, 1, 0});
  return true;
}

void HeadlessPlatform::DestroyMainWindow() { window_open = false; }

bool HeadlessPlatform::PeekMessage(Message& out) {
  if (now >= stop_at) {
    out = {MsgKind::kQuit, 0, 0};
    return true;
  }
  Deliver();
  if (queue_.empty()) return false;
  out = queue_.front();
  queue_.pop_front();
  return true;
}

void HeadlessPlatform::WaitMessage() {
  Deliver();
  if (!queue_.empty()) return;
  if (script_.empty()) {
    stalled = true;
    queue_.push_back({MsgKind::kQuit, 0, 0});
    return;
  }
  now = std::max(now, script_.front().at);
  Deliver();
}

void HeadlessPlatform::PostMessage(const Message& message) { queue_.push_back(message); }

void HeadlessPlatform::SetWindowIcon(const Image& icon) { icon_width = icon.width; }

void HeadlessPlatform::ShowCursor(bool show) { cursor_shown = show; }

void HeadlessPlatform::CursorPos(int& x, int& y) {
  x = cursor_x;
  y = cursor_y;
}

int HeadlessPlatform::MessageBox(const std::string& text, const std::string& caption_text,
                                 unsigned style) {
  boxes.push_back({text, caption_text, style});
  now += box_open_ms;
  if (!box_answers.empty()) {
    const int answer = box_answers.front();
    box_answers.pop_front();
    return answer;
  }
  return (style & 0xF) == MB_YESNO ? IDYES : IDOK;
}

// The drawn box is answered by the key a player would press, box_open_ms later.
void HeadlessPlatform::BoxOpened(const std::string& text, const std::string& caption_text,
                                 unsigned style) {
  boxes.push_back({text, caption_text, style});
  if (!answer_boxes) return;
  int answer = (style & 0xF) == MB_YESNO ? IDYES : IDOK;
  if (!box_answers.empty()) {
    answer = box_answers.front();
    box_answers.pop_front();
  }
  const int vk = answer == IDYES ? 'Y' : answer == IDNO ? 'N' : VK_RETURN;
  At(now + box_open_ms, {MsgKind::kKeyDown, static_cast<uint32_t>(vk), 0});
}

void HeadlessPlatform::Beep() { ++beeps; }

bool HeadlessPlatform::OpenDisplay(int width, int height, bool) {
  display_open = true;
  frame_width = width;
  frame_height = height;
  frame.assign(static_cast<size_t>(width) * height, 0);
  return true;
}

void HeadlessPlatform::CloseDisplay() { display_open = false; }

bool HeadlessPlatform::WaitVerticalBlank() {
  now += frame_ms;
  if (on_frame) on_frame();
  return true;
}

void HeadlessPlatform::PresentFrame(const uint16_t* pixels, int width, int height, int pitch) {
  ++frames_presented;
  if (!keep_frames) return;
  frame_width = width;
  frame_height = height;
  frame.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    std::copy_n(pixels + static_cast<size_t>(y) * pitch, width,
                frame.begin() + static_cast<ptrdiff_t>(y) * width);
}

// The kept frame is that picture already.
void HeadlessPlatform::PresentAgain(const uint16_t*, int, int, int) {
  ++frames_presented;
  ++frames_repeated;
}

bool HeadlessPlatform::SurfacesLost() {
  const bool lost = lose_surfaces_once;
  lose_surfaces_once = false;
  return lost;
}

void HeadlessPlatform::ShowDesktop() {}

bool HeadlessPlatform::LoadBitmap(const std::string& path, Image& out, std::string& why) {
  return DecodeBitmapFile(path, out, why);
}

void HeadlessPlatform::DrawText(PixelView target, int x, int y, const std::string& sjis_text,
                                int face, int height, uint32_t text_colour, uint32_t back_colour,
                                bool transparent) {
  texts.push_back({x, y, sjis_text, face, height, text_colour, back_colour, transparent});
  const int cell = height / 2;
  if (!transparent)
    FillBox(target, x, y, cell * static_cast<int>(sjis_text.size()), height, ToRgb565(back_colour));
  for (size_t i = 0; i < sjis_text.size(); ++i)
    if (sjis_text[i] != ' ')
      FillBox(target, x + static_cast<int>(i) * cell + 1, y + 2, cell - 2, height - 4,
              ToRgb565(text_colour));
}

bool HeadlessPlatform::OpenSound() { return sound_device; }

void HeadlessPlatform::CloseSound() { ++sound_closes; }

// A released handle is given out again, as a real device would.
int HeadlessPlatform::CreateSoundBuffer(const WaveFormat& format, const uint8_t* data,
                                        size_t bytes) {
  SoundBuffer fresh{format, std::vector<uint8_t>(data, data + bytes)};
  for (size_t i = 0; i < sound_buffers.size(); ++i)
    if (sound_buffers[i].released) {
      sound_buffers[i] = std::move(fresh);
      return static_cast<int>(i);
    }
  sound_buffers.push_back(std::move(fresh));
  return static_cast<int>(sound_buffers.size()) - 1;
}

HeadlessPlatform::SoundBuffer* HeadlessPlatform::Buffer(int handle) {
  if (handle < 0 || handle >= static_cast<int>(sound_buffers.size())) return nullptr;
  SoundBuffer& b = sound_buffers[static_cast<size_t>(handle)];
  return b.released ? nullptr : &b;
}

void HeadlessPlatform::PlayBuffer(int buffer, int pan) {
  if (SoundBuffer* b = Buffer(buffer)) {
    ++b->plays;
    play_log.push_back(buffer);
    pan_log.push_back(pan);
  }
}

void HeadlessPlatform::StopBuffer(int buffer) {
  if (SoundBuffer* b = Buffer(buffer)) ++b->stops;
}

void HeadlessPlatform::ReleaseBuffer(int buffer) {
  if (SoundBuffer* b = Buffer(buffer)) {
    b->released = true;
    b->data = {};
  }
}

// Opening fails where the real player's would: on a file that is no MIDI file.
int HeadlessPlatform::SendMusicCommand(const std::string& command, std::string* answer) {
  music_commands.push_back(command);
  if (answer != nullptr) *answer = command == "status midi mode" ? music_status : "";
  const std::optional<std::string> open = MusicOpenPath(command);
  return open && !ReadMidiFile(*open) ? 1 : 0;
}

void HeadlessPlatform::SetVolumes(int music, int sound) {
  music_volume = music;
  sound_volume = sound;
}

bool HeadlessPlatform::KeyDown(int vk) {
  auto range = holds_.equal_range(vk);
  for (auto it = range.first; it != range.second; ++it)
    if (it->second.from <= now && now < it->second.until) return true;
  return false;
}

bool HeadlessPlatform::JoystickButtons(unsigned joystick, uint32_t& mask) {
  if (!joystick_present || joystick != 0) return false;
  mask = joystick_mask;
  return true;
}

void HeadlessPlatform::RescanJoysticks() {}

void HeadlessPlatform::SpendPadPress() { ++pad_presses_spent; }

std::string HeadlessPlatform::ProgramPath() { return program_path; }

}  // namespace platform
