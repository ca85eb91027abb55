// A headless fixture for the content readers: an empty folder that is both the
// current directory and the program's directory, and small files written there.
#pragma once

#include <cstdint>
#include <string>

#include "content/scene_player.h"
#include "library/sound/el_sound.h"
#include "support/headless_test.h"
#include "support/test_bytes.h"

class ContentTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ResetScenePlayer();
    dir_ = MakeTempDir();
    hp.program_path = dir_ + "lantern-drift";
    g_sound.InitSound();
  }
  void TearDown() override {
    ResetScenePlayer();
    HeadlessTest::TearDown();
  }
  // name uses '/' between folders.
  void Write(const std::string& name, const std::string& bytes) {
    test_bytes::WriteFile(dir_ + name, bytes);
  }
  // A 24-bit BMP of one colour 0xRRGGBB.
  void WriteBmp(const std::string& name, int width, int height, uint32_t rgb) {
    test_bytes::WriteFile(dir_ + name, test_bytes::Bmp24(width, height, rgb));
  }
  // Four samples of 8-bit mono PCM.
  void WriteWav(const std::string& name) {
    using namespace test_bytes;
    WriteFile(dir_ + name,
              Riff({Chunk("fmt ", Fmt(1, 1, 8000, 8)), Chunk("data", Bytes(4, 0x80))}));
  }

 private:
  std::string dir_;
};
