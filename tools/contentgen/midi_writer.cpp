#include "midi_writer.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace {

void PutVarLen(std::vector<uint8_t>& out, uint32_t v) {
  uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = v & 0x7F;
    v >>= 7;
  } while (v != 0);
  while (n > 1) out.push_back(groups[--n] | 0x80);
  out.push_back(groups[0]);
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back((v >> shift) & 0xFF);
}

void PutChunk(std::vector<uint8_t>& out, const char* tag, const std::vector<uint8_t>& body) {
  out.insert(out.end(), tag, tag + 4);
  Put32(out, static_cast<uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
}

uint8_t Byte(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 127)); }

}  // namespace

void MidiTrack::Name(const std::string& text) {
  std::vector<uint8_t> bytes = {0xFF, 0x03, static_cast<uint8_t>(text.size())};
  bytes.insert(bytes.end(), text.begin(), text.end());
  events_.push_back({0, 1, bytes});
}

void MidiTrack::Tempo(uint32_t tick, int beats_per_minute) {
  const uint32_t micros = 60000000u / static_cast<uint32_t>(beats_per_minute);
  events_.push_back({tick,
                     1,
                     {0xFF, 0x51, 0x03, static_cast<uint8_t>(micros >> 16),
                      static_cast<uint8_t>(micros >> 8), static_cast<uint8_t>(micros)}});
}

void MidiTrack::TimeSignature(uint32_t tick, int numerator, int denominator_power) {
  events_.push_back({tick,
                     1,
                     {0xFF, 0x58, 0x04, static_cast<uint8_t>(numerator),
                      static_cast<uint8_t>(denominator_power), 24, 8}});
}

void MidiTrack::Program(uint32_t tick, int channel, int program) {
  events_.push_back({tick, 1, {static_cast<uint8_t>(0xC0 | channel), Byte(program)}});
}

void MidiTrack::Control(uint32_t tick, int channel, int controller, int value) {
  events_.push_back(
      {tick, 1, {static_cast<uint8_t>(0xB0 | channel), Byte(controller), Byte(value)}});
}

void MidiTrack::Note(uint32_t tick, uint32_t length, int channel, int key, int velocity) {
  events_.push_back({tick, 2, {static_cast<uint8_t>(0x90 | channel), Byte(key), Byte(velocity)}});
  events_.push_back({tick + length, 0, {static_cast<uint8_t>(0x80 | channel), Byte(key), 0}});
}

std::vector<uint8_t> MidiTrack::Encode(uint32_t end_tick) const {
  std::vector<Event> sorted = events_;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  std::vector<uint8_t> out;
  uint32_t now = 0;
  for (const Event& e : sorted) {
    if (e.tick > end_tick) throw std::runtime_error("MIDI event after the end of its piece");
    PutVarLen(out, e.tick - now);
    out.insert(out.end(), e.bytes.begin(), e.bytes.end());
    now = e.tick;
  }
  PutVarLen(out, end_tick - now);
  out.insert(out.end(), {0xFF, 0x2F, 0x00});
  return out;
}

void WriteMidi(const std::string& path, const std::vector<MidiTrack>& tracks, uint32_t end_tick) {
  std::vector<uint8_t> header = {0, 1};
  header.push_back(static_cast<uint8_t>(tracks.size() >> 8));
  header.push_back(static_cast<uint8_t>(tracks.size()));
  header.push_back(kTicksPerQuarter >> 8);
  header.push_back(kTicksPerQuarter & 0xFF);
  std::vector<uint8_t> out;
  PutChunk(out, "MThd", header);
  for (const MidiTrack& track : tracks) PutChunk(out, "MTrk", track.Encode(end_tick));
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}
