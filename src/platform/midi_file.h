// Standard MIDI files: what the music player and the content checker accept.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Larger than any piece of background music.
inline constexpr size_t kMaxMidiFileBytes = 16u << 20;

// Why the bytes are no standard MIDI file ("no MIDI header"); empty when they
// are one: a header chunk, every chunk inside the bytes, at least one track and
// at least as many as the header counts.
std::string MidiFileProblem(std::string_view bytes);

// The file's bytes when it is a regular file holding a header chunk and at
// least as many tracks as the header counts, every chunk inside the file;
// otherwise nothing, with the reason in English in `why`.
std::optional<std::string> ReadMidiFile(const std::string& path, std::string* why = nullptr);

// The file name inside the open command ("open \"PATH\" type sequencer alias midi").
std::optional<std::string> MusicOpenPath(const std::string& command);

}  // namespace platform
