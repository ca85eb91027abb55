#include "library/system/line_reader.h"

LineReader::LineReader(const std::string& path) { file_ = std::fopen(path.c_str(), "rb"); }

LineReader::~LineReader() {
  if (file_ != nullptr) std::fclose(file_);
}

int LineReader::Get() {
  if (ended_) return EOF;
  const int c = std::fgetc(file_);
  if (c == EOF || c == 0x1A) {
    ended_ = true;
    return EOF;
  }
  return c;
}

bool LineReader::Next(std::string& line) {
  line.clear();
  if (file_ == nullptr) return false;
  int c = Get();
  if (c == EOF) return false;
  if (at_line_start_) ++line_number_;
  while (c != EOF) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      at_line_start_ = true;
      return true;
    }
    line += static_cast<char>(c);
    if (line.size() == kPiece) {
      // A CR LF across the piece's end is its line end, as a LF alone would be.
      if (line.back() == '\r') {
        const int next = Get();
        if (next == '\n') {
          line.pop_back();
          at_line_start_ = true;
          return true;
        }
        if (next != EOF) std::ungetc(next, file_);
      }
      at_line_start_ = false;
      return true;
    }
    c = Get();
  }
  at_line_start_ = true;
  return true;
}
