// A headless fixture for the content readers: an empty folder that is both the
// current directory and the program's directory, and small files written there.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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

  // A 24-bit BMP of one colour (0xRRGGBB).
  void WriteBmp(const std::string& name, int width, int height, uint32_t rgb) {
    const int row = (width * 3 + 3) / 4 * 4;
    std::string b = "BM";
    Put32(b, static_cast<uint32_t>(54 + row * height));
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, static_cast<uint32_t>(width));
    Put32(b, static_cast<uint32_t>(height));
    Put32(b, 1 | (24u << 16));
    for (int i = 0; i < 6; ++i) Put32(b, 0);
    for (int y = 0; y < height; ++y) {
      std::string line;
      for (int x = 0; x < width; ++x) {
        line += static_cast<char>(rgb & 0xFF);
        line += static_cast<char>((rgb >> 8) & 0xFF);
        line += static_cast<char>((rgb >> 16) & 0xFF);
      }
      line.resize(static_cast<size_t>(row), '\0');
      b += line;
    }
    Write(name, b);
  }

  // A short 8-bit mono PCM wave.
  void WriteWav(const std::string& name) {
    std::string b = "RIFF";
    Put32(b, 36 + 4);
    b += "WAVEfmt ";
    Put32(b, 16);
    Put32(b, 1 | (1u << 16));
    Put32(b, 8000);
    Put32(b, 8000);
    Put32(b, 1 | (8u << 16));
    b += "data";
    Put32(b, 4);
    b += std::string(4, '\x80');
    Write(name, b);
  }

 private:
  static void Put32(std::string& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
  }
  std::string dir_;
};
