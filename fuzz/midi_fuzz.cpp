// MIDI files from arbitrary bytes, through the rules the music player and the
// content checker share.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/midi_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::MidiFileProblem(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
