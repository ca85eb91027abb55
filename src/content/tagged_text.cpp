#include "content/tagged_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>

#include "library/system/el_system.h"
#include "library/system/text_values.h"

void PrintErrors(const std::vector<ContentError>& errors) {
  for (const ContentError& e : errors) std::fprintf(stderr, "%s\n", e.Text().c_str());
}

TaggedText::TaggedText(std::string_view bytes, const std::string& file)
    : file_(file), lines_(bytes) {}

bool TaggedText::Next() {
  std::string line;
  do {
    if (!lines_.Next(line)) return false;
  } while (!line.empty() && line[0] == ';');
  line_ = std::move(line);
  lower_ = line_;
  LowerAscii(lower_);
  upper_ = line_;
  UpperAscii(upper_);
  value_ = {};
  value_at_ = 0;
  return true;
}

bool TaggedText::Block(std::string_view key) {
  if (std::string_view(lower_).substr(0, key.size()) != key) return false;
  value_at_ = key.size();
  value_ = std::string_view(lower_).substr(value_at_);
  return true;
}

bool TaggedText::Directive(std::string_view key) {
  if (!IsDirective() || std::string_view(upper_).substr(1, key.size()) != key) return false;
  value_at_ = 1 + key.size();
  value_ = std::string_view(upper_).substr(value_at_);
  return true;
}

bool TaggedText::IsBlank() const {
  return std::all_of(upper_.begin(), upper_.end(), [](char c) { return c == ' ' || c == '\t'; });
}

std::string TaggedText::WrittenKey() const {
  const std::string& line = IsDirective() ? upper_ : lower_;
  const size_t from = IsDirective() ? 1 : 0;
  const size_t colon = line.find(':', from);
  if (colon != std::string::npos) return line.substr(from, std::min<size_t>(colon + 1 - from, 40));
  size_t end = from;
  while (end < line.size() && end < from + 40 &&
         (std::isalnum(static_cast<unsigned char>(line[end])) || line[end] == '_'))
    ++end;
  return line.substr(from, end - from);
}

namespace {

// Where each number starts; npos for a number whose comma is missing.
template <size_t N>
std::array<size_t, N> NumberStarts(std::string_view value, size_t first_scan) {
  std::array<size_t, N> starts{};
  starts.fill(std::string_view::npos);
  starts[0] = 0;
  for (size_t i = 1; i < N; ++i) {
    const size_t from = i == 1 ? first_scan : starts[i - 1];
    const size_t comma = value.find(',', from);
    if (comma == std::string_view::npos) break;
    starts[i] = comma + 1;
  }
  return starts;
}

size_t FirstScan(CommaScan scan) { return scan == CommaScan::kFirstByte ? 0 : 1; }

template <typename T, size_t N, typename Convert>
std::array<T, N> Numbers(std::string_view value, size_t first_scan, Convert convert) {
  const std::array<size_t, N> starts = NumberStarts<N>(value, first_scan);
  std::array<T, N> numbers{};
  for (size_t i = 0; i < N; ++i)
    if (starts[i] != std::string_view::npos) numbers[i] = convert(value.substr(starts[i]));
  return numbers;
}

}  // namespace

std::array<int, 2> IntPair(std::string_view value, CommaScan scan) {
  return Numbers<int, 2>(value, FirstScan(scan), ToInt);
}

std::array<float, 2> RealPair(std::string_view value, CommaScan scan) {
  return Numbers<float, 2>(value, FirstScan(scan), ToReal);
}

std::array<int, 4> IntQuad(std::string_view value) { return Numbers<int, 4>(value, 0, ToInt); }

namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

// The length of the number that text starts with, blanks before it included; 0 for none.
size_t NumberLength(std::string_view text, bool real) {
  size_t i = 0;
  while (i < text.size() && Blank(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  const auto skip_digits = [&] {
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) ++digits;
  };
  skip_digits();
  if (real && i < text.size() && text[i] == '.') {
    ++i;
    skip_digits();
  }
  if (digits == 0) return 0;
  if (real && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && text[j] >= '0' && text[j] <= '9') {
      i = j;
      while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    }
  }
  return i;
}

// A number, then nothing or a blank (words after it are the author's comment).
bool WholeNumber(std::string_view text, bool real) {
  const size_t n = NumberLength(text, real);
  return n > 0 && (n == text.size() || Blank(text[n]));
}

// A number and only blanks, as between two commas.
bool OnlyNumber(std::string_view text, bool real) {
  const size_t n = NumberLength(text, real);
  return n > 0 && std::all_of(text.begin() + static_cast<std::ptrdiff_t>(n), text.end(), Blank);
}

// count numbers separated by commas.
bool Numbers(std::string_view value, int count, bool real) {
  for (int i = 1; i < count; ++i) {
    const size_t comma = value.find(',');
    if (comma == std::string_view::npos || !OnlyNumber(value.substr(0, comma), real)) return false;
    value.remove_prefix(comma + 1);
  }
  return WholeNumber(value, real);
}

template <typename T, size_t N>
std::string Joined(const std::array<T, N>& numbers) {
  std::ostringstream out;
  for (size_t i = 0; i < N; ++i) out << (i > 0 ? "," : "") << numbers[i];
  return out.str();
}

// Edits from a to b, a swap of two neighbours counting as one ("wiat:" for "wait:").
size_t Distance(std::string_view a, std::string_view b) {
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min(
          {d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

std::optional<std::string> ValueProblem(ValueKind kind, std::string_view value) {
  const std::string quoted = "\"" + std::string(value) + "\"";
  std::ostringstream reads;
  switch (kind) {
    case ValueKind::kText: return std::nullopt;
    case ValueKind::kFlag:
      if (std::all_of(value.begin(), value.end(), Blank)) return std::nullopt;
      return "is a flag and takes no value: the game switches it on whatever follows (" + quoted +
             "); to keep it off, leave the line out";
    case ValueKind::kInt:
      if (WholeNumber(value, false)) return std::nullopt;
      return quoted + " is not a whole number; the game reads " + std::to_string(ToInt(value));
    case ValueKind::kReal:
      if (WholeNumber(value, true)) return std::nullopt;
      reads << ToReal(value);
      return quoted + " is not a number; the game reads " + reads.str();
    case ValueKind::kIntPair:
      if (Numbers(value, 2, false)) return std::nullopt;
      return quoted + " is not two whole numbers separated by a comma; the game reads " +
             Joined(IntPair(value, CommaScan::kSecondByte));
    case ValueKind::kRealPair:
      if (Numbers(value, 2, true)) return std::nullopt;
      return quoted + " is not two numbers separated by a comma; the game reads " +
             Joined(RealPair(value, CommaScan::kFirstByte));
    case ValueKind::kIntQuad:
      if (Numbers(value, 4, false)) return std::nullopt;
      return quoted + " is not four whole numbers separated by commas; the game reads " +
             Joined(IntQuad(value));
  }
  return std::nullopt;
}

std::optional<std::string> NearestKey(std::string_view written,
                                      const std::vector<std::string>& keys) {
  std::optional<std::string> nearest;
  size_t best = 0;
  for (const std::string& key : keys) {
    const size_t d = Distance(written, key);
    if (!nearest || d < best) {
      nearest = key;
      best = d;
    }
  }
  // Close enough to be a slip of the hand: a third of the key, at least one.
  if (!nearest || best > std::max<size_t>(1, std::min<size_t>(3, nearest->size() / 3)))
    return std::nullopt;
  return nearest;
}
