#include "shell/content_check.h"

#include <strings.h>

#include <array>
#include <cstdint>
#include <filesystem>
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
#include "platform/file_bytes.h"
#include "platform/midi_file.h"

namespace {

// Why the file that a line names cannot serve, through the game's own
// loaders; nothing when it can. shown: the name as the line spells it.
std::optional<std::string> FileProblem(const std::string& path, const NamedFile& f,
                                       const std::string& shown) {
  const char* kinds[] = {"picture", "wave", "music"};
  const std::string what = std::string(kinds[f.kind]) + " \"" + shown + "\"";
  const size_t longest = f.kind == NamedFile::kPicture ? elDraw::kNameMax : elSound::kNameMax;
  if (f.kind != NamedFile::kMusic && f.name.size() > longest)
    return what + " has a name longer than " + std::to_string(longest) +
           " characters; use a shorter name";
  std::string why;
  if (!platform::IsRegularFile(path, &why))
    return what + ": " + path + ": " + why + "; add the file or correct the name";
  platform::Image image;
  WaveData wave;
  if (f.kind == NamedFile::kPicture && !platform::DecodeBitmapFile(path, image, why))
    return what + " is not a BMP picture the game can read (" + why + "); save it again as a BMP";
  if (f.kind == NamedFile::kWave && ReadWaveFile(path, wave, why) != 0)
    return what + " is not a PCM wave the game can play (" + why + "); save it again as a PCM WAV";
  if (f.kind == NamedFile::kMusic && !platform::ReadMidiFile(path, &why))
    return what + " cannot be played (" + why + "); save it again as a standard MIDI file";
  return std::nullopt;
}

// The path that name gives under base without ignoring letter case.
std::string ExactPath(const std::string& base, const std::string& name) {
  std::string path = base;
  for (char c : ContentPath(name))
    if (c != '/' || (!path.empty() && path.back() != '/')) path += c;
  return path;
}

bool FoundOnlyIgnoringCase(const std::string& base, const std::string& name) {
  const std::string found = FindFile(base, name);
  const std::string exact = ExactPath(base, name);
  return found != exact && strcasecmp(found.c_str(), exact.c_str()) == 0 &&
         platform::IsRegularFile(found);
}

// The name as the line spells it, before the format changed its letter case.
std::string Written(std::string_view bytes, int line, const std::string& name) {
  LineReader lines(bytes);
  std::string piece;
  while (lines.Next(piece) && lines.LineNumber() <= line) {
    if (lines.LineNumber() < line || piece.size() < name.size()) continue;
    for (size_t at = 0; at + name.size() <= piece.size(); ++at)
      if (strncasecmp(piece.c_str() + at, name.c_str(), name.size()) == 0)
        return piece.substr(at, name.size());
  }
  return name;
}

// A content file as read: its bytes, for the names' own spelling.
template <typename ParsedFile>
struct ReadFile {
  ParsedFile parsed;
  std::string bytes;
  std::string why;  // when it cannot be read
};

template <typename ParsedFile>
ReadFile<ParsedFile> Read(const std::string& path,
                          ParsedFile (*read)(std::string_view, const std::string&)) {
  ReadFile<ParsedFile> f;
  if (std::optional<std::string> bytes = ReadWholeFile(path, &f.why)) {
    f.bytes = std::move(*bytes);
    f.parsed = read(f.bytes, path);
  } else {
    f.parsed = Unopened<ParsedFile>(path, f.why);
  }
  return f;
}

class Checker {
 public:
  Checker(const std::string& folder, std::ostream& out) : folder_(folder), out_(out) {
    if (folder_.empty() || folder_.back() != '/') folder_ += '/';
  }

  const std::string& Folder() const { return folder_; }
  // A data file: its path under the folder.
  std::string DataPath(const std::string& name) const { return FindFile(folder_, name); }

  template <typename ParsedFile>
  void Report(const ReadFile<ParsedFile>& file) {
    for (const ContentError& e : file.parsed.errors) Say(e);
    for (const ContentError& e : file.parsed.warnings) Say(e);
    for (const NamedFile& f : NamedFiles(file.parsed))
      CheckNamed(file.parsed.file, f, Written(file.bytes, f.line, f.name));
  }

  // A file the program names itself: its own path, line 0.
  void CheckOwnFile(NamedFile::Kind kind, const std::string& name) {
    const std::string path = ProgramFile(name);
    if (std::optional<std::string> problem = Problem({0, kind, name}, name))
      Say({path, 0, *problem});
  }

  // A script that is missing plays nothing, as the formats allow; one that is
  // there but cannot be read plays nothing too, which its author did not mean.
  void ReportScript(const std::string& name) {
    const ReadFile<SceneFile> script = Read(DataPath(name), ReadSceneScript);
    std::error_code error;
    if (script.parsed.opened)
      Report(script);
    else if (std::filesystem::symlink_status(script.parsed.file, error).type() !=
             std::filesystem::file_type::not_found)
      Say({script.parsed.file, 0,
           "cannot be read (" + script.why + "); the game plays nothing from it; make it a file",
           true});
  }

  void Say(const ContentError& e) {
    out_ << e.Text() << '\n';
    ++(e.warning ? warnings_ : errors_);
  }
  int Errors() const { return errors_; }
  int Warnings() const { return warnings_; }

 private:
  void CheckNamed(const std::string& file, const NamedFile& f, const std::string& written) {
    if (std::optional<std::string> problem = Problem(f, written)) {
      Say({file, f.line, *problem});
      return;
    }
    const std::string base = ContentDir(f.name);
    if (FoundOnlyIgnoringCase(base, f.name) && FoundOnlyIgnoringCase(base, written))
      Say({file, f.line,
           "\"" + written + "\" is found only by ignoring letter case, as " +
               FindFile(base, f.name).substr(base.size()) +
               "; write the name as the file is spelled",
           true});
  }

  // Each named file is checked once.
  std::optional<std::string> Problem(const NamedFile& f, const std::string& shown) {
    auto [known, fresh] = files_.try_emplace(f.name + '\n' + char('0' + f.kind));
    if (fresh) known->second = FileProblem(ProgramFile(f.name), f, shown);
    return known->second;
  }

  std::string folder_;
  std::ostream& out_;
  std::map<std::string, std::optional<std::string>> files_;
  int errors_ = 0;
  int warnings_ = 0;
};

int Param(const GameDat& dat, int GameParams::*field) {
  int value = GameParams().*field;
  for (const GameDat::Line& l : dat.lines)
    if (const auto* v = std::get_if<ParamValue>(&l.effect))
      if (v->field == field) value = v->value;
  return value;
}

// The title with its ranking and how-to screens, and the game's menu.
void CheckOwnFiles(Checker& c) {
  for (const char* name : {"img\\title.bmp", "img\\cursor.bmp"})
    c.CheckOwnFile(NamedFile::kPicture, name);
  c.CheckOwnFile(NamedFile::kMusic, "Music\\title.mid");
  for (const char* name :
       {"img\\ranking.bmp", "img\\font.bmp", "img\\howto.bmp", "img\\menu.bmp", "img\\cursor2.bmp"})
    c.CheckOwnFile(NamedFile::kPicture, name);
}

// A new game plays INIT_STAGE, then each next stage while its number is below
// MAX_STAGE. A stage file that cannot be read ends the program there. Gives
// whether the last stage was reached and whether the first stage was read.
std::array<bool, 2> CheckStages(Checker& c, int first, int end) {
  std::array<int, MAX_CHARACTERS> turns{};  // each stage's turns carry into the next
  for (int64_t s = first;; ++s) {
    const std::string n = std::to_string(s);
    c.ReportScript("data\\demo" + n + ".dat");
    const ReadFile<StageFile> stage = Read(c.DataPath("data\\data" + n + ".dat"), ReadStageFile);
    c.Report(stage);
    if (!stage.parsed.opened) return {false, s != first};
    if (std::optional<ContentError> e = CheckTurns(stage.parsed, turns)) c.Say(*e);
    if (s + 1 >= end) return {true, true};
  }
}

}  // namespace

int CheckContent(const std::string& folder, std::ostream& out, bool strict, int stage) {
  Checker c(folder, out);
  // Pictures, sounds and music as the game finds them: the folder's, else the pack's.
  UseGameDir(c.Folder());
  const ReadFile<GameDat> dat = Read(c.DataPath("Data\\game.dat"), ReadGameDat);
  c.Report(dat);
  if (dat.parsed.opened && stage >= 0) {
    CheckStages(c, stage, stage + 1);
  } else if (dat.parsed.opened) {
    c.ReportScript("data\\demo_op.dat");
    CheckOwnFiles(c);
    const auto [ending, played] = CheckStages(c, Param(dat.parsed, &GameParams::INIT_STAGE),
                                              Param(dat.parsed, &GameParams::MAX_STAGE));
    if (ending) c.ReportScript("data\\demo_end.dat");
    if (played) c.ReportScript("data\\demo_go.dat");
  }
  const auto plural = [](int n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
  };
  if (c.Errors() == 0 && c.Warnings() == 0)
    out << folder << ": no problems found\n";
  else
    out << folder << ": " << plural(c.Errors(), "error") << ", " << plural(c.Warnings(), "warning")
        << " found\n";
  UseGameDir("");
  return c.Errors() > 0 || (strict && c.Warnings() > 0) ? 1 : 0;
}
