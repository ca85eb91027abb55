#include "content/game_dat.h"

#include <optional>

#include "content/content_reader.h"
#include "library/draw/el_draw.h"
#include "library/system/failure.h"
#include "library/system/file_lookup.h"
#include "library/system/text_values.h"

namespace {

constexpr int kOrdinary = elDraw::kOrdinary;
constexpr int kSystemMemory = elDraw::kSystemMemory;

using Reader = ContentReader<GameDat, bool, false>;  // block: the sound block is open

template <int GameParams::*field, int mode>
std::optional<ContentError> LoadPicture(Reader& r) {
  r.Add(ParamPicture{field, std::string(r.text.Value()), mode});
  return std::nullopt;
}

std::optional<ContentError> OpenSoundBlock(Reader& r) {
  r.block = true;
  return std::nullopt;
}

constexpr Directive<Reader> kDirectives[] = {
    {"MAX_STAGE:", SetParam<&GameParams::MAX_STAGE>},
    {"PLAYER_STOCK:", SetParam<&GameParams::PLAYER_STOCK>},
    {"SHOT_DAMAGE:", SetParam<&GameParams::SHOT_DAMAGE>},
    {"SHOT_SPEED:", SetParam<&GameParams::SHOT_SPEED>},
    {"SHOT_REACTION:", SetParam<&GameParams::SHOT_REACTION>},
    {"SHOT_SHADOW:", SetShotShadow},
    {"SOUND:", OpenSoundBlock},
    {"SHOT_IMG:", LoadPicture<&GameParams::SHOT_IMG, kSystemMemory>},
    {"SHOT_SIZE_X:", SetParam<&GameParams::SHOT_SIZE_X>},
    {"SHOT_SIZE_Y:", SetParam<&GameParams::SHOT_SIZE_Y>},
    {"SHOT_SCORE:", SetParam<&GameParams::SHOT_SCORE>},
    {"SHOT_INTERVAL:", SetParam<&GameParams::SHOT_INTERVAL>},
    {"SHOT_TIMER:", SetParam<&GameParams::SHOT_TIMER>},
    {"INIT_STAGE:", SetParam<&GameParams::INIT_STAGE>},
    {"RIVIVAL_TIME:", SetParam<&GameParams::RIVIVAL_TIME>},
    {"SPECIAL_TIME:", SetParam<&GameParams::SPECIAL_TIME>},
    {"CLEAR_BONUS:", SetParam<&GameParams::CLEAR_BONUS>},
    {"TIME_BONUS:", SetParam<&GameParams::TIME_BONUS>},
    {"STOCK_IMG:", LoadPicture<&GameParams::STOCK_IMG, kOrdinary>},
    {"BLINK_TIME:", SetParam<&GameParams::BLINK_TIME>},
    {"PAN_EFFECTS:", SetParam<&GameParams::PAN_EFFECTS>},
    {"EXTEND_SCORE:", SetParam<&GameParams::EXTEND_SCORE>},
    {"EXTEND_STAGE:", SetParam<&GameParams::EXTEND_STAGE>},
    {"CONTINUES:", SetParam<&GameParams::CONTINUES>},
    {"STAGE_SELECT:", SetParam<&GameParams::STAGE_SELECT>},
    {"HIT_GRACE:", SetParam<&GameParams::HIT_GRACE>},
    {"HIT_FLASH:", SetParam<&GameParams::HIT_FLASH>},
    {"DEFEAT_SHAKE:", SetParam<&GameParams::DEFEAT_SHAKE>},
    {"TIME_UP:", SetParam<&GameParams::TIME_UP>},
    {"DIM_EARLY:", SetParam<&GameParams::DIM_EARLY>},
};

void ReadSoundBlockLine(Reader& r) {
  if (std::optional<SoundLine> sound = ReadSoundLine(r.text))
    r.Add(std::move(*sound));
  else if (!r.text.IsDirective())
    WarnUnknown(r, SoundKeys(), "the #SOUND: block");
}

}  // namespace

GameDat ReadGameDat(std::string_view bytes, const std::string& file) {
  Reader r(bytes, file);
  return ReadLines(r, kDirectives, ReadSoundBlockLine);
}

std::vector<KnownKeys> GameDatKeys() {
  return {{"game.dat: directives", KeysOf(kDirectives, "#")},
          {"game.dat: #SOUND: block", SoundKeys()}};
}

GameDat ReadGameDatFile(const std::string& name) { return ReadPath(DataFile(name), ReadGameDat); }

void ApplyGameDat(const GameDat& dat) {
  for (const GameDat::Line& l : dat.lines) {
    if (!dat.BeforeRefusal(l.line)) break;
    const LoadSource source(Where(dat.file, l.line), l.written);
    if (const auto* v = std::get_if<ParamValue>(&l.effect)) g_param.*v->field = v->value;
    if (const auto* p = std::get_if<ParamPicture>(&l.effect))
      g_param.*p->field = g_draw.LoadObject(p->name, p->mode);
    if (const auto* s = std::get_if<SoundLine>(&l.effect)) ApplySoundLine(*s);
  }
}

std::vector<NamedFile> NamedFiles(const GameDat& dat) {
  std::vector<NamedFile> named;
  for (const GameDat::Line& l : dat.lines) {
    if (const auto* p = std::get_if<ParamPicture>(&l.effect))
      named.push_back({l.line, NamedFile::kPicture, p->name});
    if (const auto* s = std::get_if<SoundLine>(&l.effect))
      named.push_back({l.line, NamedFile::kWave, s->name});
  }
  return named;
}
