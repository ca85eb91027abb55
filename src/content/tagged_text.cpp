#include "content/tagged_text.h"

#include <cstdio>

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
