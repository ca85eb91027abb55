#include "platform/record/record_platforms.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include "platform/printable.h"

namespace platform {
namespace {

Event Make(EventKind kind, std::initializer_list<uint32_t> values) {
  Event e;
  e.kind = kind;
  std::copy_n(values.begin(), std::min(values.size(), e.values.size()), e.values.begin());
  return e;
}

uint16_t& At(PixelView v, int x, int y) {
  return v.pixels[static_cast<size_t>(y) * static_cast<size_t>(v.pitch) + static_cast<size_t>(x)];
}

}  // namespace

void ForwardingPlatform::PresentFrame(const uint16_t* pixels, int width, int height, int pitch) {
  ++frames_;
  frame_checksum_ = FrameChecksum(pixels, width, height, pitch);
  checksum_ = AddFrame(checksum_, frame_checksum_);
  inner_.PresentFrame(pixels, width, height, pitch);
}

// The same picture has the same checksum: it is not read again.
void ForwardingPlatform::PresentAgain(const uint16_t* pixels, int width, int height, int pitch) {
  ++frames_;
  checksum_ = AddFrame(checksum_, frame_checksum_);
  inner_.PresentAgain(pixels, width, height, pitch);
}

// --- recording ---

void RecordingPlatform::Finish() {
  out_.Write(
      Make(EventKind::kEnd, {static_cast<uint32_t>(frames_), static_cast<uint32_t>(checksum_),
                             static_cast<uint32_t>(checksum_ >> 32)}));
  out_.Flush();
}

uint32_t RecordingPlatform::Clock() {
  const uint32_t now = inner_.Clock();
  out_.Write(Make(EventKind::kClock, {now}));
  return now;
}

bool RecordingPlatform::PeekMessage(Message& out) {
  const bool got = inner_.PeekMessage(out);
  out_.Write(Make(EventKind::kPeek, {got ? 1u : 0u, got ? static_cast<uint32_t>(out.kind) : 0u,
                                     got ? out.wparam : 0u, got ? out.lparam : 0u}));
  return got;
}

void RecordingPlatform::WaitMessage() {
  inner_.WaitMessage();
  out_.Write(Make(EventKind::kWait, {}));
}

void RecordingPlatform::CursorPos(int& x, int& y) {
  inner_.CursorPos(x, y);
  out_.Write(Make(EventKind::kCursor, {static_cast<uint32_t>(x), static_cast<uint32_t>(y)}));
}

int RecordingPlatform::MessageBox(const std::string& text, const std::string& caption,
                                  unsigned style) {
  const int answer = inner_.MessageBox(text, caption, style);
  out_.Write(Make(EventKind::kMessageBox, {static_cast<uint32_t>(answer)}));
  return answer;
}

bool RecordingPlatform::WaitVerticalBlank() {
  const bool ok = inner_.WaitVerticalBlank();
  out_.Write(Make(EventKind::kVerticalBlank, {ok ? 1u : 0u}));
  return ok;
}

bool RecordingPlatform::SurfacesLost() {
  const bool lost = inner_.SurfacesLost();
  if (lost == lost_) {
    ++lost_repeats_;
    return lost;
  }
  out_.Write(Make(EventKind::kSurfacesLost, {lost ? 1u : 0u, lost_repeats_}));
  lost_ = lost;
  lost_repeats_ = 0;
  return lost;
}

// One write to the file a frame, not one an event.
void RecordingPlatform::PresentFrame(const uint16_t* pixels, int width, int height, int pitch) {
  ForwardingPlatform::PresentFrame(pixels, width, height, pitch);
  out_.Flush();
}

void RecordingPlatform::PresentAgain(const uint16_t* pixels, int width, int height, int pitch) {
  ForwardingPlatform::PresentAgain(pixels, width, height, pitch);
  out_.Flush();
}

// Text comes from the desktop's font: the record keeps the box of pixels it
// changed, so a replay draws the same without that font.
void RecordingPlatform::DrawText(PixelView target, int x, int y, const std::string& sjis_text,
                                 int face, int height, uint32_t text_colour, uint32_t back_colour,
                                 bool transparent) {
  std::vector<uint16_t> before;
  for (int row = 0; row < target.height; ++row)
    before.insert(before.end(), &At(target, 0, row), &At(target, 0, row) + target.width);
  inner_.DrawText(target, x, y, sjis_text, face, height, text_colour, back_colour, transparent);
  int x0 = target.width, y0 = target.height, x1 = 0, y1 = 0;
  for (int row = 0; row < target.height; ++row)
    for (int col = 0; col < target.width; ++col)
      if (At(target, col, row) !=
          before[static_cast<size_t>(row) * static_cast<size_t>(target.width) +
                 static_cast<size_t>(col)]) {
        x0 = std::min(x0, col), y0 = std::min(y0, row);
        x1 = std::max(x1, col + 1), y1 = std::max(y1, row + 1);
      }
  Event e = Make(EventKind::kText, {0, 0, 0, 0});
  std::string pixels;
  if (x0 < x1) {
    e.values = {static_cast<uint32_t>(x0), static_cast<uint32_t>(y0),
                static_cast<uint32_t>(x1 - x0), static_cast<uint32_t>(y1 - y0)};
    for (int row = y0; row < y1; ++row)
      for (int col = x0; col < x1; ++col) {
        pixels += static_cast<char>(At(target, col, row) & 0xFF);
        pixels += static_cast<char>(At(target, col, row) >> 8);
      }
  }
  e.pixels = pixels;
  out_.Write(e);
}

bool RecordingPlatform::OpenSound() {
  const bool ok = inner_.OpenSound();
  out_.Write(Make(EventKind::kOpenSound, {ok ? 1u : 0u}));
  return ok;
}

int RecordingPlatform::SendMusicCommand(const std::string& command, std::string* answer) {
  const int result = inner_.SendMusicCommand(command, answer);
  Event e = Make(EventKind::kMusic, {static_cast<uint32_t>(result), answer != nullptr ? 1u : 0u});
  if (answer != nullptr) e.text = *answer;  // written before the answer changes
  out_.Write(e);
  return result;
}

bool RecordingPlatform::KeyDown(int vk) {
  const bool down = inner_.KeyDown(vk);
  out_.Write(Make(EventKind::kKeyDown, {static_cast<uint32_t>(vk), down ? 1u : 0u}));
  return down;
}

bool RecordingPlatform::JoystickButtons(unsigned joystick, uint32_t& mask) {
  const bool present = inner_.JoystickButtons(joystick, mask);
  out_.Write(Make(EventKind::kJoystick, {joystick, present ? 1u : 0u, mask}));
  return present;
}

// --- replaying ---

ReplayingPlatform::ReplayingPlatform(Platform& output, const Record& record)
    : ForwardingPlatform(output), record_(record) {
  Load(record.events_at);
}

void ReplayingPlatform::Stop(const std::string& why) {
  if (stopped_.empty()) stopped_ = why;
}

void ReplayingPlatform::Load(size_t at) {
  has_upcoming_ = false;
  if (at >= record_.events_end) return;
  std::string why;
  next_at_ = ReadEvent(record_.bytes, at, upcoming_, why);
  if (next_at_ == 0)
    Stop("byte " + std::to_string(at) + ": " + (why.empty() ? "the record is cut" : why));
  has_upcoming_ = next_at_ != 0;
}

const Event* ReplayingPlatform::Next(EventKind kind, const uint32_t* key) {
  if (!stopped_.empty()) return nullptr;
  if (!has_upcoming_) {
    Stop("the record ends at frame " + std::to_string(frames_) + ": it was cut short");
    return nullptr;
  }
  if (upcoming_.kind != kind || (key != nullptr && upcoming_.values[0] != *key)) {
    Stop("the replay diverged at frame " + std::to_string(frames_) + " (event " +
         std::to_string(index_) + "): the program asked for " + EventName(kind) +
         " where the record holds " + EventName(upcoming_.kind));
    return nullptr;
  }
  current_ = upcoming_;
  ++index_;
  Load(next_at_);
  return &current_;
}

void ReplayingPlatform::Finish() {
  if (const Event* e = Next(EventKind::kEnd)) {
    recorded_checksum_ = e->values[1] | (static_cast<uint64_t>(e->values[2]) << 32);
    if (e->values[0] != static_cast<uint32_t>(frames_) || recorded_checksum_ != checksum_)
      Stop("the replay ended with " + std::to_string(frames_) + " frames, the record with " +
           std::to_string(e->values[0]) + ", or their pictures differ");
  }
}

uint32_t ReplayingPlatform::Clock() {
  if (const Event* e = Next(EventKind::kClock)) last_clock_ = e->values[0];
  return last_clock_;
}

bool ReplayingPlatform::PeekMessage(Message& out) {
  // The window's own messages are taken so that it stays alive; closing it ends the replay.
  Message own;
  while (inner_.PeekMessage(own))
    if (own.kind == MsgKind::kClose || own.kind == MsgKind::kQuit)
      Stop("the replay was closed at frame " + std::to_string(frames_));
  const Event* e = Next(EventKind::kPeek);
  if (e == nullptr) {
    out = {MsgKind::kQuit, 0, 0};
    return true;
  }
  if (e->values[0] == 0) return false;
  if (e->values[1] > static_cast<uint32_t>(MsgKind::kDisplayMode)) {
    Stop("the record holds an unknown message at frame " + std::to_string(frames_));
    out = {MsgKind::kQuit, 0, 0};
    return true;
  }
  out = {static_cast<MsgKind>(e->values[1]), e->values[2], e->values[3]};
  return true;
}

// The record says when messages came; nothing to wait for.
void ReplayingPlatform::WaitMessage() { Next(EventKind::kWait); }

// Posted messages are in the record where the program took them.
void ReplayingPlatform::PostMessage(const Message&) {}

void ReplayingPlatform::CursorPos(int& x, int& y) {
  const Event* e = Next(EventKind::kCursor);
  x = e != nullptr ? static_cast<int>(e->values[0]) : -1;
  y = e != nullptr ? static_cast<int>(e->values[1]) : -1;
}

int ReplayingPlatform::MessageBox(const std::string& text, const std::string& caption, unsigned) {
  std::fprintf(stderr, "%s: %s\n", Printable(caption).c_str(), Printable(text).c_str());
  const Event* e = Next(EventKind::kMessageBox);
  return e != nullptr ? static_cast<int>(e->values[0]) : IDOK;
}

bool ReplayingPlatform::WaitVerticalBlank() {
  const Event* e = Next(EventKind::kVerticalBlank);
  if (e == nullptr || e->values[0] == 0) return false;
  inner_.WaitVerticalBlank();
  return true;
}

// The answer changes where the record holds an event for it, after as many
// calls with the answer before as it says.
// The display says "lost" once and the program restores then: a record that
// keeps the answer for another call is not of a real run, and would have every
// frame reload every picture.
bool ReplayingPlatform::SurfacesLost() {
  const bool changes = stopped_.empty() && has_upcoming_ &&
                       upcoming_.kind == EventKind::kSurfacesLost &&
                       upcoming_.values[1] == lost_repeats_;
  if (!changes) {
    if (lost_)
      Stop("the replay diverged at frame " + std::to_string(frames_) + " (event " +
           std::to_string(index_) +
           "): the record keeps the surfaces lost after they were restored");
    lost_ = false;
    ++lost_repeats_;
    return false;
  }
  const Event* e = Next(EventKind::kSurfacesLost);
  lost_ = e != nullptr && e->values[0] != 0;
  lost_repeats_ = 0;
  return lost_;
}

void ReplayingPlatform::DrawText(PixelView target, int, int, const std::string&, int, int, uint32_t,
                                 uint32_t, bool) {
  const Event* e = Next(EventKind::kText);
  if (e == nullptr || e->values[2] == 0) return;
  const uint32_t x0 = e->values[0], y0 = e->values[1], w = e->values[2], h = e->values[3];
  // 64 bits: a corner near 2^32 must not wrap back inside the picture.
  if (e->pixels.size() != size_t{w} * h * 2 || target.width < 0 || target.height < 0 ||
      uint64_t{x0} + w > static_cast<uint64_t>(target.width) ||
      uint64_t{y0} + h > static_cast<uint64_t>(target.height)) {
    Stop("byte " + std::to_string(e->offset) + ": drawn text of " + std::to_string(w) + " x " +
         std::to_string(h) + " pixels at " + std::to_string(x0) + ", " + std::to_string(y0) +
         " lies outside its " + std::to_string(target.width) + " x " +
         std::to_string(target.height) + " picture (frame " + std::to_string(frames_) + ")");
    return;
  }
  const auto* bytes = reinterpret_cast<const uint8_t*>(e->pixels.data());
  for (uint32_t row = 0; row < h; ++row) {
    uint16_t* out = &At(target, static_cast<int>(x0), static_cast<int>(y0 + row));
    for (size_t i = size_t{row} * w * 2, end = i + size_t{w} * 2; i < end; i += 2)
      *out++ = static_cast<uint16_t>(bytes[i] | bytes[i + 1] << 8);
  }
}

bool ReplayingPlatform::OpenSound() {
  const Event* e = Next(EventKind::kOpenSound);
  inner_.OpenSound();
  return e != nullptr && e->values[0] != 0;
}

int ReplayingPlatform::SendMusicCommand(const std::string& command, std::string* answer) {
  inner_.SendMusicCommand(command, nullptr);
  const uint32_t has_answer = answer != nullptr ? 1u : 0u;
  const Event* e = Next(EventKind::kMusic);
  if (e == nullptr) return 0;
  if (e->values[1] != has_answer) {
    Stop("the replay diverged at frame " + std::to_string(frames_) + ": a different music command");
    return 0;
  }
  if (answer != nullptr) *answer = std::string(e->text);
  return static_cast<int>(e->values[0]);
}

bool ReplayingPlatform::KeyDown(int vk) {
  const auto key = static_cast<uint32_t>(vk);
  const Event* e = Next(EventKind::kKeyDown, &key);
  return e != nullptr && e->values[1] != 0;
}

bool ReplayingPlatform::JoystickButtons(unsigned joystick, uint32_t& mask) {
  const Event* e = Next(EventKind::kJoystick, &joystick);
  mask = e != nullptr ? e->values[2] : 0;
  return e != nullptr && e->values[1] != 0;
}

}  // namespace platform
