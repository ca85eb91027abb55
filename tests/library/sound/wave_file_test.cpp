#include "library/sound/wave_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/test_bytes.h"

namespace {

using test_bytes::Bytes, test_bytes::Chunk, test_bytes::Fmt, test_bytes::Riff;

int Read(const Bytes& bytes, WaveData& out) {
  return ReadWaveBytes(bytes.data(), bytes.size(), out);
}

// A non-PCM format block with extra bytes.
Bytes AdpcmFmt(Bytes extra) {
  Bytes fmt = Fmt(2, 1, 22050, 4);
  test_bytes::Put16(fmt, static_cast<uint32_t>(extra.size()));
  fmt.insert(fmt.end(), extra.begin(), extra.end());
  return fmt;
}

TEST(WaveFile, ChunksAreFoundPastOddSizedOnesAndExtraBytesRead) {
  WaveData out;
  ASSERT_EQ(Read(Riff({Chunk("LIST", {1, 2, 3}), Chunk("fmt ", Fmt(1, 2, 44100, 16)),
                       Chunk("data", {1, 2, 3, 4})}),
                 out),
            0);
  EXPECT_EQ(out.format.channels, 2);
  EXPECT_EQ(out.format.samples_per_sec, 44100u);
  EXPECT_EQ(out.format.bits_per_sample, 16);
  EXPECT_TRUE(out.format.extra.empty());
  EXPECT_EQ(out.samples, (Bytes{1, 2, 3, 4}));

  ASSERT_EQ(Read(Riff({Chunk("data", {5}), Chunk("fmt ", AdpcmFmt({9, 8, 7, 6}))}), out), 0);
  EXPECT_EQ(out.format.format_tag, 2);
  EXPECT_EQ(out.format.extra, (Bytes{9, 8, 7, 6}));
  EXPECT_EQ(out.samples, (Bytes{5}));
}

TEST(WaveFile, BrokenAndTruncatedFilesFailAndLeaveNothing) {
  Bytes short_fmt = Fmt(1, 1, 8000, 8);
  short_fmt.resize(14);
  Bytes data_too_long = Riff({Chunk("fmt ", Fmt(1, 1, 8000, 8)), Chunk("data", {1, 2})});
  data_too_long[43] = 0x7F;
  Bytes extra_too_long = AdpcmFmt({});
  extra_too_long[16] = 0xFF;
  const std::vector<Bytes> broken = {
      Riff({Chunk("fmt ", short_fmt), Chunk("data", {1, 2})}),
      Riff({Chunk("fmt ", Fmt(1, 1, 8000, 8))}),
      Riff({Chunk("data", {1, 2})}),
      Riff({Chunk("data", {1, 2}), Chunk("fmt ", extra_too_long)}),
      data_too_long,
      {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '},
  };
  for (size_t i = 0; i < broken.size(); ++i) {
    WaveData out;
    out.samples = {1};
    EXPECT_NE(Read(broken[i], out), 0) << "case " << i;
    EXPECT_TRUE(out.samples.empty() && out.format.extra.empty()) << "case " << i;
  }
  // Every truncation of a good file fails too.
  const Bytes wave = Riff({Chunk("fmt ", AdpcmFmt({0xF9, 0x01})), Chunk("data", Bytes(40, 3))});
  WaveData out;
  ASSERT_EQ(Read(wave, out), 0);
  for (size_t size = 0; size < wave.size(); ++size)
    EXPECT_NE(ReadWaveBytes(wave.data(), size, out), 0) << "size " << size;
}

}  // namespace
