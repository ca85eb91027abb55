#include "library/system/line_reader.h"

#include "platform/file_bytes.h"

LineReader::LineReader(std::string_view bytes) : bytes_(bytes.substr(0, bytes.find('\x1A'))) {}

bool LineReader::Next(std::string& line) {
  line.clear();
  if (at_ >= bytes_.size()) return false;
  if (at_line_start_) ++line_number_;
  while (at_ < bytes_.size()) {
    const char c = bytes_[at_++];
    // LF, CR LF and a lone CR (old Mac files) each end a line.
    if (c == '\n' || c == '\r') {
      if (c == '\r' && at_ < bytes_.size() && bytes_[at_] == '\n') ++at_;
      at_line_start_ = true;
      return true;
    }
    line += c;
    if (line.size() == kPiece) {
      at_line_start_ = false;
      return true;
    }
  }
  at_line_start_ = true;
  return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string* why) {
  return platform::ReadRegularFile(path, platform::kMaxTextFileBytes, why);
}
