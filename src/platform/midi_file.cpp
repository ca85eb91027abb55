#include "platform/midi_file.h"

#include <cstdint>

#include "platform/file_bytes.h"

namespace platform {

namespace {

uint32_t Big32(std::string_view b, size_t at) {
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<uint8_t>(b[at + i]);
  return v;
}

const std::string kOpenHead = "open \"";
const std::string kOpenTail = "\" type sequencer alias midi";

}  // namespace

std::string MidiFileProblem(std::string_view b) {
  if (b.size() < 14 || b.compare(0, 4, "MThd") != 0 || Big32(b, 4) < 6 ||
      Big32(b, 4) > b.size() - 8)
    return "no MIDI header";
  const size_t tracks =
      static_cast<size_t>(static_cast<uint8_t>(b[10]) << 8 | static_cast<uint8_t>(b[11]));
  size_t at = 8 + Big32(b, 4);
  size_t found = 0;
  while (at < b.size()) {
    if (b.size() - at < 8 || Big32(b, at + 4) > b.size() - at - 8)
      return "a chunk runs past the end";
    if (b.compare(at, 4, "MTrk") == 0) ++found;
    at += 8 + Big32(b, at + 4);
  }
  if (found == 0 || found < tracks) return "fewer tracks than its header counts";
  return "";
}

std::optional<std::string> ReadMidiFile(const std::string& path, std::string* why) {
  std::optional<std::string> bytes = ReadRegularFile(path, kMaxMidiFileBytes, why);
  if (!bytes) return std::nullopt;
  const std::string problem = MidiFileProblem(*bytes);
  if (problem.empty()) return bytes;
  if (why != nullptr) *why = "not a standard MIDI file: " + problem;
  return std::nullopt;
}

std::optional<std::string> MusicOpenPath(const std::string& command) {
  const size_t fixed = kOpenHead.size() + kOpenTail.size();
  if (command.size() <= fixed || command.compare(0, kOpenHead.size(), kOpenHead) != 0 ||
      command.compare(command.size() - kOpenTail.size(), kOpenTail.size(), kOpenTail) != 0)
    return std::nullopt;
  return command.substr(kOpenHead.size(), command.size() - fixed);
}

}  // namespace platform
