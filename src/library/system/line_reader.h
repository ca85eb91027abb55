// Reads a content file as the old text mode did: LF and CR LF end a line (and a
// lone CR, as old Mac editors wrote), a 0x1A byte ends the file, and a line
// longer than 254 bytes arrives in pieces.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class LineReader {
 public:
  static constexpr size_t kPiece = 254;

  // bytes must outlive the reader.
  explicit LineReader(std::string_view bytes);

  // The next piece without its line end; false at the end of the file.
  bool Next(std::string& line);
  // 1-based number of the physical line the last piece came from.
  int LineNumber() const { return line_number_; }

 private:
  std::string_view bytes_;
  size_t at_ = 0;
  bool at_line_start_ = true;
  int line_number_ = 0;
};

// The whole file; nothing when it cannot be read (a folder, a FIFO, a device
// or a file past the text size limit included), with the reason in `why`.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string* why = nullptr);
