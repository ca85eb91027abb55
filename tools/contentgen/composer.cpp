#include "composer.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <stdexcept>

#include "random.h"

namespace {

constexpr int kPad = 0, kBass = 1, kArp = 2, kLead = 3, kDrum = 9;

struct Chord {
  int root;  // pitch class 0..11
  bool minor;
  std::vector<int> PitchClasses() const {
    return {root, (root + (minor ? 3 : 4)) % 12, (root + 7) % 12};
  }
};

std::vector<Chord> ParseChords(const std::string& text) {
  static const int kLetters[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  std::vector<Chord> chords;
  std::istringstream in(text);
  std::string word;
  while (in >> word) {
    if (word[0] < 'A' || word[0] > 'G') throw std::runtime_error("bad chord " + word);
    int root = kLetters[word[0] - 'A'];
    size_t i = 1;
    if (i < word.size() && word[i] == '#') root += 1, ++i;
    if (i < word.size() && word[i] == 'b') root += 11, ++i;
    chords.push_back({root % 12, i < word.size() && word[i] == 'm'});
  }
  return chords;
}

bool InChord(const Chord& c, int key) {
  const auto pcs = c.PitchClasses();
  return std::find(pcs.begin(), pcs.end(), key % 12) != pcs.end();
}

// Scale notes that are no semitone away from a chord note: passing notes that never rub.
bool Passing(const Piece& p, const Chord& c, int key) {
  static const int kMajor[] = {0, 2, 4, 5, 7, 9, 11}, kMinor[] = {0, 2, 3, 5, 7, 8, 10};
  const int degree = ((key - p.tonic) % 12 + 12) % 12;
  const int* scale = p.minor ? kMinor : kMajor;
  if (std::find(scale, scale + 7, degree) == scale + 7) return false;
  for (int pc : c.PitchClasses()) {
    const int d = std::abs(key % 12 - pc);
    if (d == 1 || d == 11) return false;
  }
  return true;
}

// The next usable key from `from` in direction dir (+1/-1).
int Step(int from, int dir, const std::function<bool(int)>& usable) {
  for (int k = from + dir; k != from + 13 * dir; k += dir)
    if (usable(k)) return k;
  return from;
}

int ChordKeyNear(const Chord& c, int target) {
  for (int d = 0; d < 12; ++d) {
    if (InChord(c, target - d)) return target - d;
    if (InChord(c, target + d)) return target + d;
  }
  return target;
}

void SetUp(MidiTrack& t, int channel, int program, int volume, int pan, int reverb) {
  if (channel != kDrum) t.Program(0, channel, program);
  t.Control(0, channel, 7, volume);
  t.Control(0, channel, 10, pan);
  t.Control(0, channel, 91, reverb);
}

MidiTrack Conductor(const Piece& p) {
  MidiTrack t;
  t.Name("Lantern Drift");
  t.Tempo(0, p.tempo);
  t.TimeSignature(0, 4, 2);
  return t;
}

// Whole-bar chords, each voiced close to the one before.
MidiTrack Pad(const Piece& p, const std::vector<Chord>& chords) {
  MidiTrack t;
  SetUp(t, kPad, p.pad, 78, 54, 70);
  std::vector<int> voice = {p.tonic - 5, p.tonic - 1, p.tonic + 2};
  for (size_t bar = 0; bar < chords.size(); ++bar) {
    for (int& key : voice) key = ChordKeyNear(chords[bar], key);
    std::sort(voice.begin(), voice.end());
    voice.erase(std::unique(voice.begin(), voice.end()), voice.end());
    while (voice.size() < 3)
      voice.push_back(Step(voice.back(), 1, [&](int k) { return InChord(chords[bar], k); }));
    for (int key : voice) t.Note(bar * kBar, kBar, kPad, key, 52);
  }
  return t;
}

MidiTrack Bass(const Piece& p, const std::vector<Chord>& chords) {
  MidiTrack t;
  SetUp(t, kBass, p.bass, 96, 64, 30);
  for (size_t bar = 0; bar < chords.size(); ++bar) {
    const int root = p.tonic - 24 + ((chords[bar].root - p.tonic % 12) + 12) % 12;
    const uint32_t start = bar * kBar;
    switch (p.bass_style) {
      case BassStyle::kLong:
        t.Note(start, kBar / 2, kBass, root, 92);
        t.Note(start + kBar / 2, kBar / 2, kBass, root + 7, 80);
        break;
      case BassStyle::kPulse:
        for (int i = 0; i < 8; ++i)
          t.Note(start + i * kBar / 8, kBar / 8 - 30, kBass, i == 7 ? root + 12 : root,
                 i % 2 ? 72 : 94);
        break;
      case BassStyle::kWalk: {
        const int steps[] = {0, 7, 12, 7};
        for (int i = 0; i < 4; ++i)
          t.Note(start + i * kBar / 4, kBar / 4 - 40, kBass, root + steps[i], i == 0 ? 96 : 80);
        break;
      }
    }
  }
  return t;
}

MidiTrack Arpeggio(const Piece& p, const std::vector<Chord>& chords) {
  MidiTrack t;
  SetUp(t, kArp, p.arp, 84, 84, 60);
  const int order[] = {0, 1, 2, 3, 2, 1, 2, 3, 0, 1, 2, 3, 4, 3, 2, 1};
  const int per_bar = static_cast<int>(kBar) / p.arp_step;
  for (size_t bar = 0; bar < chords.size(); ++bar) {
    std::vector<int> tones;
    int key = ChordKeyNear(chords[bar], p.tonic);
    for (int i = 0; i < 5; ++i)
      tones.push_back(key), key = Step(key, 1, [&](int k) { return InChord(chords[bar], k); });
    for (int i = 0; i < per_bar; ++i)
      t.Note(bar * kBar + i * p.arp_step, p.arp_step, kArp, tones[order[i % 16]],
             i % 4 == 0 ? 78 : 60);
  }
  return t;
}

// Rhythm cells in eighths; negative is a rest. The last is kept for phrase ends.
const std::vector<std::vector<int>> kCells = {{2, 2, 2, 2},    {3, 1, 2, 2}, {2, 1, 1, 4},
                                              {1, 1, 2, 2, 2}, {3, 3, 2},    {2, 2, 1, 1, 2},
                                              {-2, 2, 2, 2}};
const std::vector<int> kCadence = {2, 6};

struct Note {
  uint32_t start, length;
  int key, velocity;
};

// The chord's root nearest to key, where a phrase comes to rest.
int RootNear(const Chord& c, int key) {
  const int below = key - ((key - c.root) % 12 + 12) % 12;
  return key - below <= 6 ? below : below + 12;
}

// One bar of melody over a chord, moving on from `key`.
std::vector<Note> MelodyBar(const Piece& p, const Chord& c, const std::vector<int>& cell, int& key,
                            int& dir, Random& random, uint32_t bar_start) {
  const bool cadence = cell == kCadence;
  std::vector<Note> notes;
  const int low = p.tonic + 7, high = p.tonic + 21;
  uint32_t pos = 0;
  for (int len8 : cell) {
    const uint32_t length = std::abs(len8) * kBar / 8;
    if (len8 > 0) {
      const bool strong = pos % (kBar / 4) == 0;
      if (random.Below(4) == 0) dir = -dir;
      if (key + dir * 3 > high) dir = -1;
      if (key + dir * 3 < low) dir = 1;
      key = Step(key, dir, [&](int k) {
        return strong ? InChord(c, k) : (InChord(c, k) || Passing(p, c, k));
      });
      if (cadence && pos + length == kBar) key = RootNear(c, key);
      notes.push_back({bar_start + pos, length - 20, key, (strong ? 96 : 80) + random.Below(8)});
    }
    pos += length;
  }
  return notes;
}

// Four-bar phrases; a phrase over the same chords as an earlier one repeats its tune.
MidiTrack Lead(const Piece& p, const std::vector<Chord>& chords) {
  MidiTrack t;
  SetUp(t, kLead, p.lead, 92, 70, 64);
  Random random(p.seed);
  const std::vector<int> motif = kCells[random.Below(static_cast<int>(kCells.size()))];
  int key = p.tonic + 12, dir = 1;
  std::vector<std::vector<Note>> phrases;
  for (size_t start = 0; start < chords.size(); start += 4) {
    std::vector<Note> phrase;
    for (size_t i = 0; i < 4 && start + i < chords.size(); ++i) {
      const bool last = i == 3 || start + i + 1 == chords.size();
      const auto& cell =
          last ? kCadence
               : (i % 2 == 0 ? motif : kCells[random.Below(static_cast<int>(kCells.size()))]);
      auto bar = MelodyBar(p, chords[start + i], cell, key, dir, random, (start + i) * kBar);
      phrase.insert(phrase.end(), bar.begin(), bar.end());
    }
    if (start >= 8 && start + 4 <= chords.size() &&
        std::equal(chords.begin() + start, chords.begin() + start + 4, chords.begin(),
                   [](const Chord& a, const Chord& b) {
                     return a.root == b.root && a.minor == b.minor;
                   })) {
      phrase = phrases[0];
      for (Note& n : phrase) n.start += start * kBar;
    }
    phrases.push_back(phrase);
    for (const Note& n : phrase) t.Note(n.start, n.length, kLead, n.key, n.velocity);
  }
  return t;
}

struct DrumLine {
  int key;
  const char* steps;  // sixteen sixteenths: x loud, o soft, . rest
};

std::vector<DrumLine> Groove(Drums style) {
  switch (style) {
    case Drums::kNone: return {};
    case Drums::kSoft:
      return {{36, "x.......x......."}, {37, "....o.......o..."}, {42, "o.o.o.o.o.o.o.o."}};
    case Drums::kDrive:
      return {{36, "x.....x.x......."},
              {38, "....x.......x..."},
              {42, "xoxoxoxoxoxoxoxo"},
              {46, "..............o."}};
    case Drums::kFestival:
      return {{36, "x..x..x.x......."},
              {47, "....x.......x.x."},
              {76, "x.o.x.o.x.o.x.oo"},
              {54, "..o...o...o...o."}};
    case Drums::kIntense:
      return {{36, "x.x.x.x.x.x.x.xo"}, {38, "....x.......x..x"}, {42, "xxxxxxxxxxxxxxxx"}};
  }
  return {};
}

MidiTrack DrumTrack(const Piece& p, size_t bars) {
  MidiTrack t;
  SetUp(t, kDrum, 0, 90, 64, 40);
  const auto groove = Groove(p.drums);
  const uint32_t step = kBar / 16;
  for (size_t bar = 0; bar < bars; ++bar) {
    const bool fill = bar % 8 == 7;
    for (const DrumLine& line : groove) {
      for (int s = 0; s < 16; ++s) {
        const char c = line.steps[s];
        if (c == '.' || (fill && s >= 8 && line.key != 42)) continue;
        t.Note(bar * kBar + s * step, step, kDrum, line.key, c == 'x' ? 100 : 64);
      }
    }
    if (fill) {
      const int toms[] = {50, 48, 47, 45, 50, 48, 45, 41};
      for (int s = 0; s < 8; ++s)
        t.Note(bar * kBar + (8 + s) * step, step, kDrum, toms[s], 70 + 4 * s);
    }
  }
  if (!groove.empty()) t.Note(0, step, kDrum, 49, 90);
  return t;
}

}  // namespace

uint32_t PieceLength(const Piece& piece) {
  return static_cast<uint32_t>(ParseChords(piece.chords).size()) * kBar;
}

std::vector<MidiTrack> Compose(const Piece& piece) {
  const std::vector<Chord> chords = ParseChords(piece.chords);
  std::vector<MidiTrack> tracks = {Conductor(piece)};
  if (piece.pad >= 0) tracks.push_back(Pad(piece, chords));
  if (piece.bass >= 0) tracks.push_back(Bass(piece, chords));
  if (piece.arp >= 0 && piece.arp_step > 0) tracks.push_back(Arpeggio(piece, chords));
  if (piece.lead >= 0) tracks.push_back(Lead(piece, chords));
  if (piece.drums != Drums::kNone) tracks.push_back(DrumTrack(piece, chords.size()));
  return tracks;
}
