#include "fuzz_home.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "library/draw/el_draw.h"
#include "shell/shell.h"

namespace {

void Put32(std::string& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A 2 x 2 white 24-bit BMP.
std::string SmallBmp() {
  std::string b = "BM";
  for (uint32_t v : {54u + 16u, 0u, 54u, 40u, 2u, 2u, 1u | (24u << 16), 0u, 16u, 0u, 0u, 0u, 0u})
    Put32(b, v);
  for (int row = 0; row < 2; ++row) b += std::string(6, '\xFF') + std::string(2, '\0');
  return b;
}

// An 8-bit mono PCM wave of four samples.
std::string SmallWav() {
  std::string b = "RIFF";
  Put32(b, 40);
  b += "WAVEfmt ";
  for (uint32_t v : {16u, 1u | (1u << 16), 8000u, 8000u, 1u | (8u << 16)}) Put32(b, v);
  b += "data";
  Put32(b, 4);
  return b + std::string(4, '\x80');
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

FuzzHome::FuzzHome() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ld-fuzz-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0) std::abort();
  dir_ = pattern + "/";
  WriteFile(dir_ + "img/a.bmp", SmallBmp());
  WriteFile(dir_ + "a.wav", SmallWav());
  hp.program_path = dir_ + "lantern-drift";
  hp.frame_ms = 40;
  platform::Set(&hp);
}

void FuzzHome::Begin(const std::string& name, const uint8_t* data, size_t size) {
  // What the platform recorded would otherwise grow from input to input.
  platform::Message message;
  while (hp.PeekMessage(message)) continue;
  hp.boxes.clear();
  hp.texts.clear();
  hp.music_commands.clear();
  hp.sound_buffers.clear();
  hp.play_log.clear();
  ResetProgramState();
  g_draw.Screen(640, 480, 1);
  WriteFile(dir_ + name, std::string(reinterpret_cast<const char*>(data), size));
}
