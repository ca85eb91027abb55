// The line format shared by game.dat, the stage files and the scene scripts:
// comment lines (';'), directive lines ('#' and an upper-cased key) and block
// lines (a lower-cased key), each key compared over its own length.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "library/system/line_reader.h"

class TaggedText {
 public:
  // path is a content name such as "Data\game.dat", found relative to the current directory.
  explicit TaggedText(const std::string& path);

  bool IsOpen() const { return lines_.IsOpen(); }
  // Moves to the next line that is not a comment; false at the end of the file.
  bool Next();
  bool IsDirective() const { return !upper_.empty() && upper_[0] == '#'; }
  // The lower-cased line starts with key; Value() is then what follows it.
  bool Block(std::string_view key);
  // The upper-cased line is '#' and key; Value() is then what follows it.
  bool Directive(std::string_view key);
  std::string_view Value() const { return value_; }

  const std::string& Path() const { return path_; }
  int LineNumber() const { return lines_.LineNumber(); }
  // "path:line: reason" on standard error, for the content author; line 0
  // stands for the line just read.
  void Complain(const std::string& reason, int line = 0) const;

 private:
  std::string path_;
  LineReader lines_;
  std::string lower_;
  std::string upper_;
  std::string_view value_;
};

// Where a pair's comma search begins: the value's first byte, or its second.
enum class CommaScan { kFirstByte, kSecondByte };

// Numbers separated by commas; a number without its comma is 0.
std::array<int, 2> IntPair(std::string_view value, CommaScan scan);
std::array<float, 2> RealPair(std::string_view value, CommaScan scan);
// Each comma search starts at the first byte of the number just read.
std::array<int, 4> IntQuad(std::string_view value);
