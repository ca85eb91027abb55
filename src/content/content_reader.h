// What the readers of game.dat, the stage files and the scene scripts share:
// the text, the value being built, the open block, and directives read from a
// table, each line first as a line of the open block, then as a directive.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

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

// A directive closes the open block, unless it is refused (a refused line
// counts as absent) or is one of ours.
template <typename Reader, size_t N>
void ReadDirective(Reader& r, const Directive<Reader> (&directives)[N]) {
  for (const Directive<Reader>& d : directives) {
    if (!r.text.Directive(d.key)) continue;
    const auto was_open = r.block;
    if (!d.ours) r.block = Reader::kNoBlock;
    if (std::optional<ContentError> error = d.apply(r)) {
      r.block = was_open;
      r.parsed.errors.push_back(std::move(*error));
    }
    return;
  }
}

// Reads every line: block_line takes it while a block is open.
template <typename Reader, size_t N, typename BlockLine>
auto ReadLines(Reader& r, const Directive<Reader> (&directives)[N], BlockLine block_line) {
  while (r.text.Next()) {
    if (r.block != Reader::kNoBlock) block_line(r);
    if (r.text.IsDirective()) ReadDirective(r, directives);
  }
  return std::move(r.parsed);
}

// The keys that game.dat and the stage files share.
template <int GameParams::*field, typename Reader>
std::optional<ContentError> SetParam(Reader& r) {
  r.Add(ParamValue{field, ToInt(r.text.Value())});
  return std::nullopt;
}

template <typename Reader>
std::optional<ContentError> SetShotShadow(Reader& r) {
  ParamValue value{};
  std::optional<ContentError> error = ReadShotShadow(r.text, value);
  if (!error) r.Add(value);
  return error;
}
