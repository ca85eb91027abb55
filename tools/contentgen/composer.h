// Turns a short description of a piece (key, chords, instruments, groove) into MIDI tracks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "midi_writer.h"

enum class Drums { kNone, kSoft, kDrive, kFestival, kIntense };
enum class BassStyle { kLong, kPulse, kWalk };

struct Piece {
  int tempo;
  int tonic;  // MIDI key of the tonic around middle C
  bool minor;
  std::string chords;        // one chord name a bar, e.g. "Am F C G"
  int pad, bass, arp, lead;  // General MIDI programs, -1 for none
  BassStyle bass_style;
  int arp_step;  // ticks between arpeggio notes; 0 for none
  Drums drums;
  uint32_t seed;
};

constexpr uint32_t kBar = 4 * kTicksPerQuarter;

std::vector<MidiTrack> Compose(const Piece& piece);
// The loop length: whole bars, one a chord.
uint32_t PieceLength(const Piece& piece);
