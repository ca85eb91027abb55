// Reads a content file as the old text mode did: LF and CR LF end a line, a
// 0x1A byte ends the file, and a line longer than 254 bytes arrives in pieces.
#pragma once

#include <cstdio>
#include <string>

class LineReader {
 public:
  static constexpr size_t kPiece = 254;

  explicit LineReader(const std::string& path);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  // The next piece without its line end; false at the end of the file.
  bool Next(std::string& line);
  // 1-based number of the physical line the last piece came from.
  int LineNumber() const { return line_number_; }

 private:
  int Get();
  std::FILE* file_ = nullptr;
  bool ended_ = false;
  bool at_line_start_ = true;
  int line_number_ = 0;
};
