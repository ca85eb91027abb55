#include "library/draw/draw_log.h"

#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

namespace draw {

namespace {

static_assert(std::has_unique_object_representations_v<DrawCall>);

// Everything but where the text lies.
bool SameCall(const DrawCall& a, const DrawCall& b) {
  return std::memcmp(&a, &b, offsetof(DrawCall, text_at)) == 0;
}

}  // namespace

bool DrawLog::SameAsLast(const DrawCall& call, std::string_view text) const {
  const size_t i = current_.calls.size();
  if (last_.tainted || i >= last_.calls.size()) return false;
  const DrawCall& before = last_.calls[i];
  return SameCall(call, before) &&
         text == std::string_view(last_.text).substr(before.text_at, before.text_size);
}

bool DrawLog::Add(const DrawCall& call, std::string_view text, bool covers_all) {
  if (current_.calls.size() >= kMaxCalls) {
    Taint();
    return false;
  }
  matching_ = matching_ && SameAsLast(call, text);
  if (call.ReadsBack() && !cover_seen_) reads_before_cover_ = true;
  cover_seen_ = cover_seen_ || covers_all;
  DrawCall kept = call;
  kept.text_at = static_cast<uint32_t>(current_.text.size());
  kept.text_size = static_cast<uint32_t>(text.size());
  current_.text.append(text);
  current_.calls.push_back(kept);
  return true;
}

// A blend over the last frame's picture would blend twice, unless the frame
// first covered all of it.
bool DrawLog::Repeats() const {
  return matching_ && !current_.tainted && !last_.tainted &&
         current_.calls.size() == last_.calls.size() && !reads_before_cover_;
}

void DrawLog::Taint() {
  current_.tainted = true;
  matching_ = false;
}

// The vectors keep their capacity: no allocation once frames have been seen.
void DrawLog::NextFrame() {
  std::swap(current_, last_);
  current_.calls.clear();
  current_.text.clear();
  current_.tainted = false;
  matching_ = !last_.tainted;
  cover_seen_ = false;
  reads_before_cover_ = false;
}

std::string_view DrawLog::text(size_t i) const {
  const DrawCall& c = current_.calls[i];
  return std::string_view(current_.text).substr(c.text_at, c.text_size);
}

}  // namespace draw
