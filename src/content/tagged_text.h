// The line format shared by game.dat, the stage files and the scene scripts:
// comment lines (';'), directive lines ('#' and an upper-cased key) and block
// lines (a lower-cased key), each key compared over its own length.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "library/system/line_reader.h"

// A problem of a content file, for its author. A warning is a value the
// formats forbid that the game tolerates; anything else the game refuses.
struct ContentError {
  std::string file;
  int line = 0;
  std::string reason;  // English
  bool warning = false;
  bool note = false;  // what the formats allow but an author may not mean; never counted
  std::string Text() const {
    const char* kind = warning ? "warning: " : note ? "note: " : "";
    return file + ":" + std::to_string(line) + ": " + kind + reason;
  }
};

// What a reader made of a file: its lines' effects in file order, its errors
// (a refused line has no effect) and its warnings.
template <typename Effect>
struct Parsed {
  struct Line {
    int line = 0;
    Effect effect;
    std::string written;  // the line as the file spells it, for messages
  };
  std::string file;
  bool opened = true;
  std::vector<Line> lines;
  std::vector<ContentError> errors;
  std::vector<ContentError> warnings;
  std::vector<ContentError> notes;

  // Whether a line stands before the first refused one: the game applies only those.
  bool BeforeRefusal(int line) const { return errors.empty() || line < errors.front().line; }

  template <typename Alternative>
  void Add(int line, Alternative&& effect, std::string_view written = {}) {
    Line& l = lines.emplace_back();
    l.line = line;
    l.effect = std::forward<Alternative>(effect);
    l.written = written;
  }
};

// The keys a reader knows in one place of its file, named by the heading that
// lists them in docs/content.md ("Stage file: #ENEMY: block"); directives with their '#'.
struct KnownKeys {
  std::string where;
  std::vector<std::string> keys;
};

// A picture, wave or music file that a content file names, for the checker.
struct NamedFile {
  enum Kind { kPicture, kWave, kMusic };
  int line;
  Kind kind;
  std::string name;
};

// The value of a file that cannot be opened; why is the reader's reason.
template <typename ParsedFile>
ParsedFile Unopened(const std::string& file, const std::string& why) {
  ParsedFile p;
  p.file = file;
  p.opened = false;
  p.errors.push_back(
      {file, 0, "cannot open the file (" + why + "); check that it exists and can be read"});
  return p;
}

// Reads the file at path (the current directory's or a checked folder's) with read.
template <typename ParsedFile>
ParsedFile ReadPath(const std::string& path,
                    ParsedFile (*read)(std::string_view, const std::string&)) {
  std::string why;
  const std::optional<std::string> bytes = ReadWholeFile(path, &why);
  return bytes ? read(*bytes, path) : Unopened<ParsedFile>(path, why);
}

// Each on its own "file:line: reason" line of standard error.
void PrintErrors(const std::vector<ContentError>& errors);

// "file:line", where a content file names a picture, wave or music file.
inline std::string Where(const std::string& file, int line) {
  return file + ":" + std::to_string(line);
}

class TaggedText {
 public:
  // bytes must outlive the reader; file names the file in errors.
  TaggedText(std::string_view bytes, const std::string& file);

  // Moves to the next line that is not a comment; false at the end of the file.
  bool Next();
  bool IsDirective() const { return !upper_.empty() && upper_[0] == '#'; }
  // Empty or only blanks: no key can match it.
  bool IsBlank() const;
  // The lower-cased line starts with key; Value() is then what follows it.
  bool Block(std::string_view key);
  // The upper-cased line is '#' and key; Value() is then what follows it.
  bool Directive(std::string_view key);
  std::string_view Value() const { return value_; }
  // The line, and the value, as the file spells them: before the change of case.
  std::string_view Written() const { return line_; }
  std::string_view WrittenValue() const { return Written().substr(value_at_, value_.size()); }

  int LineNumber() const { return lines_.LineNumber(); }
  // The key the line spells: up to its first colon, the '#' left out; without a
  // colon, its first word. Upper-cased for a directive, else lower-cased.
  std::string WrittenKey() const;
  // An error of the line just read.
  ContentError Error(const std::string& reason) const { return {file_, LineNumber(), reason}; }

 private:
  std::string file_;
  LineReader lines_;
  std::string line_;
  std::string lower_;
  std::string upper_;
  std::string_view value_;
  size_t value_at_ = 0;
};

// Where a pair's comma search begins: the value's first byte, or its second.
enum class CommaScan { kFirstByte, kSecondByte };

// Numbers separated by commas; a number without its comma is 0.
std::array<int, 2> IntPair(std::string_view value, CommaScan scan);
std::array<float, 2> RealPair(std::string_view value, CommaScan scan);
// Each comma search starts at the first byte of the number just read.
std::array<int, 4> IntQuad(std::string_view value);

// How a key's value is read.
enum class ValueKind {
  kText,
  kFlag,
  kInt,
  kReal,
  kIntPair,   // the comma search from the value's second byte
  kRealPair,  // the comma search from its first
  kIntQuad,
};

// What is wrong with a value of its kind, with what the game reads instead
// ("\"fast\" is not a whole number; the game reads 0"); nothing when it is well
// formed. A number may be followed by a blank and any words.
std::optional<std::string> ValueProblem(ValueKind kind, std::string_view value);

// The key of keys nearest to a mistyped one, when one is near enough to be meant.
std::optional<std::string> NearestKey(std::string_view written,
                                      const std::vector<std::string>& keys);
