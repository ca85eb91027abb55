#include "fuzz_home.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "library/draw/el_draw.h"
#include "shell/program_reset.h"
#include "support/test_bytes.h"

FuzzHome::FuzzHome() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ld-fuzz-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0) std::abort();
  dir_ = pattern + "/";
  // A 2 x 2 white picture and four samples of 8-bit mono sound.
  test_bytes::WriteFile(dir_ + "img/a.bmp", test_bytes::Bmp24(2, 2, 0xFFFFFF));
  test_bytes::WriteFile(dir_ + "a.wav",
                        test_bytes::Riff({test_bytes::Chunk("fmt ", test_bytes::Fmt(1, 1, 8000, 8)),
                                          test_bytes::Chunk("data", test_bytes::Bytes(4, 0x80))}));
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
  test_bytes::WriteFile(dir_ + name, std::string(reinterpret_cast<const char*>(data), size));
}
