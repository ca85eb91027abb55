// The draw calls of one frame beside those of the frame before. A frame whose
// calls are the same as the last frame's, and whose result does not depend on
// what the back buffer held, gives the picture the buffer already holds: its
// drawing and its comparison with the screen can be left out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/draw/clip.h"

namespace draw {

// Without padding, so that two calls compare as bytes.
struct DrawCall {
  enum class Kind : uint16_t { kKeyed, kOpaque, kClear, kHalf, kAlpha, kText };
  Blit blit;  // clipped
  int32_t object = 0;
  uint32_t generation = 0;  // of the object table when the call was made
  uint32_t value = 0;       // the alpha's bits, or the half mask
  int32_t face = 0, height = 0;
  uint32_t text_colour = 0, back_colour = 0;
  Kind kind = Kind::kClear;
  uint16_t transparent = 0;
  // Only in the log: where the call's text lies in the frame's text.
  uint32_t text_at = 0, text_size = 0;

  bool ReadsBack() const { return kind == Kind::kHalf || kind == Kind::kAlpha; }
};

class DrawLog {
 public:
  // More calls than this between two presents are drawn at once, unlogged:
  // the log does not grow without bound where nothing presents.
  static constexpr size_t kMaxCalls = 4096;

  // covers_all: the call writes every pixel of the buffer whatever was there.
  // False, and the frame tainted, when the log is full.
  bool Add(const DrawCall& call, std::string_view text, bool covers_all);
  // So far, this frame's calls are the first of the last frame's.
  bool Matching() const { return matching_; }
  // The whole frame repeats the last one, and drawing it again over its own
  // result would change nothing.
  bool Repeats() const;
  // Something wrote the buffer besides the calls: neither this frame nor the
  // next one may be taken for its predecessor.
  void Taint();
  // This frame becomes the last one.
  void NextFrame();

  size_t size() const { return current_.calls.size(); }
  const DrawCall& call(size_t i) const { return current_.calls[i]; }
  std::string_view text(size_t i) const;

 private:
  struct Frame {
    std::vector<DrawCall> calls;
    std::string text;
    bool tainted = false;
  };

  bool SameAsLast(const DrawCall& call, std::string_view text) const;

  Frame current_, last_;
  bool matching_ = true;
  bool cover_seen_ = false;
  bool reads_before_cover_ = false;
};

}  // namespace draw
