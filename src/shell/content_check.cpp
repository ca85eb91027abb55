#include "shell/content_check.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "content/game_dat.h"
#include "content/scene_script.h"
#include "content/stage_file.h"
#include "library/draw/el_draw.h"
#include "library/sound/el_sound.h"
#include "library/system/el_system.h"
#include "library/system/line_reader.h"
#include "platform/bitmap_file.h"

namespace {

uint32_t Big32(const std::string& b, size_t at) {
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<uint8_t>(b[at + i]);
  return v;
}

// A standard MIDI file: a header chunk, then chunks that each fit in the file.
bool IsMidi(const std::string& b) {
  if (b.size() < 14 || b.compare(0, 4, "MThd") != 0 || Big32(b, 4) < 6) return false;
  const size_t tracks = static_cast<uint8_t>(b[10]) << 8 | static_cast<uint8_t>(b[11]);
  size_t at = 8 + Big32(b, 4);
  size_t found = 0;
  while (at < b.size()) {
    if (b.size() - at < 8 || Big32(b, at + 4) > b.size() - at - 8) return false;
    if (b.compare(at, 4, "MTrk") == 0) ++found;
    at += 8 + Big32(b, at + 4);
  }
  return found >= tracks && found > 0;
}

// Why the file that a line names cannot serve; nothing when it can.
std::optional<std::string> FileProblem(const std::string& folder, const NamedFile& f) {
  const char* kinds[] = {"picture", "wave", "music"};
  const std::string what = std::string(kinds[f.kind]) + " \"" + f.name + "\"";
  const size_t longest = f.kind == NamedFile::kPicture ? elDraw::kNameMax : elSound::kNameMax;
  if (f.kind != NamedFile::kMusic && f.name.size() > longest)
    return what + " has a name longer than " + std::to_string(longest) +
           " characters; use a shorter name";
  const std::string path = FindFile(folder, f.name);
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return what + ": no file " + path + "; add it or correct the name";
  platform::Image image;
  WaveData wave;
  std::string why;
  if (f.kind == NamedFile::kPicture && !platform::DecodeBitmapFile(path, image, why))
    return what + " is not a BMP picture the game can read (" + why + "); save it again as a BMP";
  if (f.kind == NamedFile::kWave &&
      ReadWaveBytes(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size(), wave) != 0)
    return what + " is not a PCM wave the game can play; save it again as a PCM WAV";
  if (f.kind == NamedFile::kMusic && !IsMidi(*bytes))
    return what + " is not a standard MIDI file; save it again as a .mid";
  return std::nullopt;
}

class Checker {
 public:
  Checker(const std::string& folder, std::ostream& out) : folder_(folder), out_(out) {
    if (folder_.empty() || folder_.back() != '/') folder_ += '/';
  }

  // A data file: its path under the folder.
  std::string DataPath(const std::string& name) const { return FindFile(folder_, name); }

  template <typename ParsedFile>
  void Report(const ParsedFile& file) {
    for (const ContentError& e : file.errors) Print(e);
    for (const NamedFile& f : NamedFiles(file)) {
      auto [known, fresh] = files_.try_emplace(f.name + '\n' + char('0' + f.kind));
      if (fresh) known->second = FileProblem(folder_, f);
      if (known->second) Print({file.file, f.line, *known->second});
    }
  }
  void Print(const ContentError& e) {
    out_ << e.Text() << '\n';
    ++problems_;
  }
  int Problems() const { return problems_; }

 private:
  std::string folder_;
  std::ostream& out_;
  std::map<std::string, std::optional<std::string>> files_;  // each named file checked once
  int problems_ = 0;
};

// The folder may be absolute, so its files are opened by their own paths.
template <typename ParsedFile>
ParsedFile ReadPath(const std::string& path,
                    ParsedFile (*read)(std::string_view, const std::string&)) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  return bytes ? read(*bytes, path) : Unopened<ParsedFile>(path);
}

int Param(const GameDat& dat, int GameParams::*field) {
  int value = GameParams().*field;
  for (const GameDat::Line& l : dat.lines)
    if (const auto* v = std::get_if<ParamValue>(&l.effect))
      if (v->field == field) value = v->value;
  return value;
}

}  // namespace

int CheckContent(const std::string& folder, std::ostream& out) {
  Checker c(folder, out);
  const GameDat dat = ReadPath(c.DataPath("Data\\game.dat"), ReadGameDat);
  c.Report(dat);
  const int first = Param(dat, &GameParams::INIT_STAGE);
  const int end = Param(dat, &GameParams::MAX_STAGE);
  if (dat.opened && first >= end)
    c.Print({dat.file, 0, "INIT_STAGE " + std::to_string(first) + " is not below MAX_STAGE " +
                              std::to_string(end) + "; a game would have no stage"});
  // The turns that each stage leaves carry into the next, as in a game.
  std::array<int, MAX_CHARACTERS> turns{};
  for (int s = first; s < end; ++s) {
    const std::string n = std::to_string(s);
    const StageFile stage = ReadPath(c.DataPath("data\\data" + n + ".dat"), ReadStageFile);
    c.Report(stage);
    if (stage.errors.empty())
      if (std::optional<ContentError> e = CheckTurns(stage, turns)) c.Print(*e);
    c.Report(ReadPath(c.DataPath("data\\demo" + n + ".dat"), ReadSceneScript));
  }
  for (const char* script : {"data\\demo_op.dat", "data\\demo_end.dat", "data\\demo_go.dat"})
    c.Report(ReadPath(c.DataPath(script), ReadSceneScript));
  if (c.Problems() == 0) {
    out << folder << ": no problems found\n";
    return 0;
  }
  out << folder << ": " << c.Problems() << (c.Problems() == 1 ? " problem" : " problems")
      << " found\n";
  return 1;
}
