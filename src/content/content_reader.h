// What the readers of game.dat, the stage files and the scene scripts share:
// the text, the value being built, the open block, and directives read from a
// table, each line first as a line of the open block, then as a directive.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "content/game_params.h"
#include "content/shot_shadow.h"
#include "content/tagged_text.h"
#include "library/system/text_values.h"

// ParsedFile is the reader's value; block says which block is open, kClosed none.
template <typename ParsedFile, typename Block, Block kClosed>
struct ContentReader {
  static constexpr Block kNoBlock = kClosed;

  ContentReader(std::string_view bytes, const std::string& file) : text(bytes, file) {
    parsed.file = file;
  }
  TaggedText text;
  ParsedFile parsed;
  Block block = kClosed;
  std::string_view key;   // the directive being applied, for its warnings
  bool left_out = false;  // the last directive was refused or left its block out

  template <typename Effect>
  void Add(Effect effect) {
    parsed.Add(text.LineNumber(), std::move(effect), text.Written());
  }
};

template <typename Reader>
struct Directive {
  const char* key;
  std::optional<ContentError> (*apply)(Reader&);
  // A key of our own leaves the open block open, as a reader that does not know it does.
  bool ours = false;
};

// A value the formats forbid that the game tolerates, at the line just read.
template <typename Reader>
void Warn(Reader& r, const std::string& reason) {
  ContentError& w = r.parsed.warnings.emplace_back(r.text.Error(reason));
  w.warning = true;
}

// The keys of a table, as a reader's warnings and the format reference name them.
template <typename Entry, size_t N>
std::vector<std::string> KeysOf(const Entry (&table)[N], const char* prefix = "") {
  std::vector<std::string> keys;
  for (const Entry& e : table) keys.push_back(prefix + std::string(e.key));
  return keys;
}

// A line that no key of its place starts: the game ignores it.
template <typename Reader>
void WarnUnknown(Reader& r, const std::vector<std::string>& keys, const std::string& where) {
  const std::string written = r.text.WrittenKey();
  const bool colon = !written.empty() && written.back() == ':';
  const bool directive = r.text.IsDirective();
  const std::string shown = (directive ? "#" : "") + written;
  std::string reason = shown + (colon ? " is no key of " + where : " has no colon after its key");
  reason += "; the game ignores the line";
  if (directive && r.block != Reader::kNoBlock) reason += " (the open block stays open)";
  if (const std::optional<std::string> near = NearestKey(colon ? written : written + ":", keys))
    reason += "; did you mean " + std::string(directive ? "#" : "") + *near + "?";
  Warn(r, reason);
}

// A value of the line just read that its kind does not fit.
template <typename Reader>
void CheckValue(Reader& r, std::string_view key, ValueKind kind) {
  if (std::optional<std::string> problem = ValueProblem(kind, r.text.Value()))
    Warn(r, std::string(key) + " " + *problem);
}

// The directive's value as an integer, with a warning when it is not one.
template <typename Reader>
int IntValue(Reader& r) {
  CheckValue(r, r.key, ValueKind::kInt);
  return ToInt(r.text.Value());
}

template <typename Reader>
float RealValue(Reader& r) {
  CheckValue(r, r.key, ValueKind::kReal);
  return ToReal(r.text.Value());
}

// A directive closes the open block, unless it is refused (a refused line
// counts as absent) or is one of ours.
template <typename Reader, size_t N>
void ReadDirective(Reader& r, const Directive<Reader> (&directives)[N]) {
  for (const Directive<Reader>& d : directives) {
    if (!r.text.Directive(d.key)) continue;
    r.key = d.key;
    r.left_out = false;
    const auto was_open = r.block;
    if (!d.ours) r.block = Reader::kNoBlock;
    if (std::optional<ContentError> error = d.apply(r)) {
      r.left_out = true;
      r.block = was_open;
      r.parsed.errors.push_back(std::move(*error));
    }
    return;
  }
  WarnUnknown(r, KeysOf(directives), "this file");
}

// Reads every line: block_line takes it while a block is open, and warns of
// a block line that it does not know. The lines of a block that was refused or
// left out are its directive's consequence: no warning of their own.
template <typename Reader, size_t N, typename BlockLine>
auto ReadLines(Reader& r, const Directive<Reader> (&directives)[N], BlockLine block_line) {
  while (r.text.Next()) {
    if (r.text.IsBlank()) continue;
    if (r.block != Reader::kNoBlock) block_line(r);
    if (r.text.IsDirective())
      ReadDirective(r, directives);
    else if (r.block == Reader::kNoBlock && !r.left_out)
      Warn(r, r.text.WrittenKey() +
                  " stands outside any block; the game ignores the line; put it after the "
                  "directive that opens its block");
  }
  return std::move(r.parsed);
}

// The keys that game.dat and the stage files share.
template <int GameParams::*field, typename Reader>
std::optional<ContentError> SetParam(Reader& r) {
  r.Add(ParamValue{field, IntValue(r)});
  return std::nullopt;
}

template <typename Reader>
std::optional<ContentError> SetShotShadow(Reader& r) {
  CheckValue(r, r.key, ValueKind::kInt);
  ParamValue value{};
  std::optional<ContentError> error = ReadShotShadow(r.text, value);
  if (!error) r.Add(value);
  return error;
}
