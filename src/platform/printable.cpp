#include "platform/printable.h"

namespace platform {
namespace {

void PutHex(std::string& out, unsigned char c) {
  out += "\\x";
  out += "0123456789abcdef"[c >> 4];
  out += "0123456789abcdef"[c & 15];
}

}  // namespace

std::string Printable(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const bool c1 = c == 0xC2 && i + 1 < text.size() &&
                    (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80;
    if (c1) {
      PutHex(out, c);
      PutHex(out, static_cast<unsigned char>(text[++i]));
    } else if (c < 0x20 || c == 0x7F) {
      PutHex(out, c);
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace platform
