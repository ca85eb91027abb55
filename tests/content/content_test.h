// A headless fixture for the content readers: an empty folder that is both the
// current directory and the program's directory, and small files written there.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "content/scene_player.h"
#include "library/sound/el_sound.h"
#include "support/headless_test.h"

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
    const std::filesystem::path path = dir_ + name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // A 24-bit BMP of one colour 0xRRGGBB; width * 3 must be a multiple of 4.
  void WriteBmp(const std::string& name, int width, int height, uint32_t rgb) {
    std::string b = "BM" + Le(54 + width * height * 3) + Le(0) + Le(54) + Le(40) + Le(width) +
                    Le(height) + Le(1 | (24 << 16)) + std::string(24, '\0');
    const char pixel[3] = {char(rgb & 0xFF), char(rgb >> 8 & 0xFF), char(rgb >> 16 & 0xFF)};
    for (int i = 0; i < width * height; ++i) b.append(pixel, 3);
    Write(name, b);
  }
  // Four samples of 8-bit mono PCM.
  void WriteWav(const std::string& name) {
    Write(name, "RIFF" + Le(40) + "WAVEfmt " + Le(16) + Le(1 | (1 << 16)) + Le(8000) + Le(8000) +
                    Le(1 | (8 << 16)) + "data" + Le(4) + std::string(4, '\x80'));
  }

 private:
  static std::string Le(int v) {
    std::string b;
    for (int i = 0; i < 4; ++i) b += static_cast<char>(static_cast<uint32_t>(v) >> (8 * i) & 0xFF);
    return b;
  }
  std::string dir_;
};
