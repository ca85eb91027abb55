#include "shell/content_check.h"

#include <strings.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "content/game_dat.h"
#include "content/manifest.h"
#include "content/scene_script.h"
#include "content/stage_file.h"
#include "library/draw/el_draw.h"
#include "library/sound/el_sound.h"
#include "library/sound/wave_file.h"
#include "library/system/file_lookup.h"
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
    for (const ContentError& e : file.parsed.notes) Say(e);
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
    if (!e.note) ++(e.warning ? warnings_ : errors_);
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
  for (const manifest::FixedFile& f : manifest::kScreenFiles)
    c.CheckOwnFile(f.kind == manifest::Kind::kMusic ? NamedFile::kMusic : NamedFile::kPicture,
                   f.name);
}

// A stage's introduction and file; false when the file cannot be read.
bool CheckStage(Checker& c, long long stage, StageCarry& carry) {
  c.ReportScript(manifest::StageIntro(stage));
  const ReadFile<StageFile> file = Read(c.DataPath(manifest::StageFile(stage)), ReadStageFile);
  c.Report(file);
  if (!file.parsed.opened) return false;
  if (std::optional<ContentError> e = CheckTurns(file.parsed, carry.turns)) c.Say(*e);
  for (const ContentError& w : PlayWarnings(file.parsed, carry)) c.Say(w);
  return true;
}

// The stage files after `missing` that the folder holds, below MAX_STAGE, in order.
std::vector<long long> LaterStages(const std::string& folder, long long missing, int max_stage) {
  std::set<long long> stages;
  std::error_code error;
  for (const auto& e :
       std::filesystem::directory_iterator(FindFile(folder, manifest::kStageFolder), error)) {
    const long long n = manifest::StageOfFileName(e.path().filename().string());
    if (n > missing && n < max_stage) stages.insert(n);
  }
  return {stages.begin(), stages.end()};
}

// A new game plays INIT_STAGE, then each next stage while one follows. A stage
// file that cannot be read ends the program there; the later stage files the
// folder holds are still checked, for their author. Gives whether the last
// stage was reached and whether the first stage was read.
std::array<bool, 2> CheckStages(Checker& c, const std::string& folder, long long first,
                                int max_stage) {
  StageCarry carry;  // each stage's turns, MAX_TURN and time carry into the next
  for (long long s = first;; ++s) {
    if (!CheckStage(c, s, carry)) {
      for (long long later : LaterStages(folder, s, max_stage)) CheckStage(c, later, carry);
      return {false, s != first};
    }
    if (!manifest::StageFollows(s, max_stage)) return {true, true};
  }
}

void Summarize(const std::string& folder, const Checker& c, std::ostream& out) {
  const auto plural = [](int n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
  };
  if (c.Errors() == 0 && c.Warnings() == 0)
    out << folder << ": no problems found\n";
  else
    out << folder << ": " << plural(c.Errors(), "error") << ", " << plural(c.Warnings(), "warning")
        << " found\n";
}

}  // namespace

int CheckContent(const std::string& folder, std::ostream& out, bool strict,
                 std::optional<int> stage) {
  Checker c(folder, out);
  // Pictures, sounds and music as the game finds them: the folder's, else the pack's.
  UseGameDir(c.Folder());
  const ReadFile<GameDat> dat = Read(c.DataPath(manifest::kGameDat), ReadGameDat);
  c.Report(dat);
  if (dat.parsed.opened && stage) {
    StageCarry carry;
    CheckStage(c, *stage, carry);
  } else if (dat.parsed.opened) {
    c.ReportScript(manifest::kOpening);
    CheckOwnFiles(c);
    const auto [ending, played] = CheckStages(c, folder, Param(dat.parsed, &GameParams::INIT_STAGE),
                                              Param(dat.parsed, &GameParams::MAX_STAGE));
    if (ending) c.ReportScript(manifest::kEnding);
    if (played) c.ReportScript(manifest::kGameOver);
  }
  UseGameDir("");
  Summarize(folder, c, out);
  return c.Errors() > 0 || (strict && c.Warnings() > 0) ? 1 : 0;
}
