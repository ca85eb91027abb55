// Writes standard MIDI files (format 1) from tracks of timed events.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int kTicksPerQuarter = 480;

class MidiTrack {
 public:
  void Name(const std::string& text);
  void Tempo(uint32_t tick, int beats_per_minute);
  void TimeSignature(uint32_t tick, int numerator, int denominator_power);
  void Program(uint32_t tick, int channel, int program);
  void Control(uint32_t tick, int channel, int controller, int value);
  // A note from tick to tick + length; note-offs sort before note-ons of the same tick.
  void Note(uint32_t tick, uint32_t length, int channel, int key, int velocity);

  // The track chunk's body, events sorted, ended by end-of-track at end_tick.
  std::vector<uint8_t> Encode(uint32_t end_tick) const;

 private:
  struct Event {
    uint32_t tick;
    int order;  // 0 note-off, 1 set-up, 2 note-on: decides ties of one tick
    std::vector<uint8_t> bytes;
  };
  std::vector<Event> events_;
};

// Every track ends at end_tick, so a looping player restarts on the bar line.
void WriteMidi(const std::string& path, const std::vector<MidiTrack>& tracks, uint32_t end_tick);
