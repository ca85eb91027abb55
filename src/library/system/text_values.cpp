#include "library/system/text_values.h"

#include <iconv.h>

#include <cfloat>
#include <climits>
#include <cstdlib>
#include <string>

namespace {
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
}  // namespace

int ToInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

float ToReal(std::string_view text) {
  // Only the plain decimal form: no "inf", "nan" or hexadecimal, which strtod would take.
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  std::string number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
  auto digits = [&] {
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') number += text[i++];
  };
  digits();
  if (i < text.size() && text[i] == '.') {
    number += text[i++];
    digits();
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    const size_t mark = number.size();
    number += text[i++];
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
    const size_t before = number.size();
    digits();
    if (number.size() == before) number.resize(mark);
  }
  const double value = std::strtod(number.c_str(), nullptr);
  if (value > FLT_MAX) return FLT_MAX;
  if (value < -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(value);
}

void UpperAscii(std::string& text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

void LowerAscii(std::string& text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

std::string ToShiftJis(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return utf8;
  std::string out(utf8.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t in_left = utf8.size();
  char* dst = out.data();
  size_t out_left = out.size();
  const size_t done = iconv(cd, &in, &in_left, &dst, &out_left);
  iconv_close(cd);
  if (done == static_cast<size_t>(-1)) return utf8;
  out.resize(out.size() - out_left);
  return out;
}
