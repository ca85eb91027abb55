// The standard MIDI file rules the music player and the content checker share.
#include "platform/midi_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "support/headless_test.h"
#include "support/test_bytes.h"

namespace {

using test_bytes::Bytes;

// A piece of one track (end of track only), as the header counts it.
Bytes OneTrack() { return test_bytes::Midi(96, {0x00, 0xFF, 0x2F, 0x00}); }

Bytes Head(size_t n) {
  const Bytes b = OneTrack();
  return Bytes(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n));
}

Bytes With(Bytes b, size_t at, std::initializer_list<uint8_t> bytes) {
  for (uint8_t v : bytes) b[at++] = v;
  return b;
}

// b with more inserted at (its end by default).
Bytes Plus(Bytes b, const Bytes& more, size_t at = SIZE_MAX) {
  b.insert(b.begin() + static_cast<std::ptrdiff_t>(std::min(at, b.size())), more.begin(),
           more.end());
  return b;
}

std::string Text(const Bytes& b) { return std::string(b.begin(), b.end()); }

struct Case {
  const char* name;
  Bytes bytes;
  const char* problem;
};

const Bytes kChunk = {'X', 'x', 'x', 'x', 0, 0, 0, 2, 1, 2};

TEST(MidiFileTest, AcceptsWhatTheHeaderPromises) {
  const Case cases[] = {
      {"one track", OneTrack(), ""},
      {"a longer header", Plus(With(OneTrack(), 7, {8}), {0, 0}, 14), ""},
      {"a chunk of another kind too", Plus(OneTrack(), kChunk), ""},
      {"a header counting no tracks", With(OneTrack(), 10, {0, 0}), ""},
      {"too short", Head(13), "no MIDI header"},
      {"another magic", With(OneTrack(), 0, {'R', 'I', 'F', 'F'}), "no MIDI header"},
      {"a header of five bytes", With(OneTrack(), 4, {0, 0, 0, 5}), "no MIDI header"},
      {"a header past the end", With(OneTrack(), 4, {0, 0, 1, 0}), "no MIDI header"},
      {"two tracks counted, one there", With(OneTrack(), 10, {0, 2}),
       "fewer tracks than its header counts"},
      {"no track at all", With(Plus(Head(14), kChunk), 10, {0, 0}),
       "fewer tracks than its header counts"},
      {"a track past the end", With(OneTrack(), 18, {0, 0, 0, 5}), "a chunk runs past the end"},
      {"three bytes after the track", Plus(OneTrack(), Bytes{'M', 'T', 'r'}),
       "a chunk runs past the end"},
      {"a chunk length near 2^32",
       Plus(OneTrack(), Bytes{'M', 'T', 'r', 'k', 0xFF, 0xFF, 0xFF, 0xFB}),
       "a chunk runs past the end"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(platform::MidiFileProblem(Text(c.bytes)), c.problem) << c.name;
}

class MidiFileReadTest : public HeadlessTest {};

TEST_F(MidiFileReadTest, GivesTheBytesOrSaysWhy) {
  MakeTempDir();
  test_bytes::WriteFile("good.mid", OneTrack());
  EXPECT_EQ(platform::ReadMidiFile("good.mid"), Text(OneTrack()));

  test_bytes::WriteFile("bad.mid", With(OneTrack(), 10, {0, 2}));
  std::string why;
  EXPECT_EQ(platform::ReadMidiFile("bad.mid", &why), std::nullopt);
  EXPECT_EQ(why, "not a standard MIDI file: fewer tracks than its header counts");
}

TEST(MusicOpenPathTest, TakesThePathOutOfTheOpenCommand) {
  EXPECT_EQ(platform::MusicOpenPath("open \"a b.mid\" type sequencer alias midi"), "a b.mid");
  EXPECT_EQ(platform::MusicOpenPath("open \"\" type sequencer alias midi"), std::nullopt);
  EXPECT_EQ(platform::MusicOpenPath("open \"a.mid\" type sequencer alias"), std::nullopt);
  EXPECT_EQ(platform::MusicOpenPath("play midi notify"), std::nullopt);
}

}  // namespace
