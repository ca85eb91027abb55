// Rectangle copies into the back buffer, the clear and the frame present.
#include <algorithm>

#include "library/draw/el_draw.h"
#include "library/draw/row_kernels.h"
#include "platform/platform.h"

elDraw::Object* elDraw::Source(int handle) {
  if (!InTable(handle)) return nullptr;
  Object& o = objects_[static_cast<size_t>(handle)];
  return o.has_surface ? &o : nullptr;
}

// A loss is noticed by the copy that would have touched the display; the
// pictures come back from their files and that copy is dropped. Once a frame
// at most: a display that keeps saying "lost" must not reload every picture
// at every copy.
bool elDraw::NoticeLoss() {
  if (restored_in_frame_ || !platform::Get().SurfacesLost()) return false;
  RestoreObjects();
  restored_in_frame_ = true;
  return true;
}

draw::DrawCall elDraw::CopyCall(draw::DrawCall::Kind kind, int object, const draw::Blit& b) const {
  draw::DrawCall call;
  call.kind = kind;
  call.object = object;
  call.generation = generation_;
  call.blit = b;
  return call;
}

void elDraw::DrawObject(int x, int y, int object, int sx, int sy, int ex, int ey) {
  draw::Blit b;
  if (!draw::ClipBlit(clip_, x, y, sx, sy, ex, ey, b) || NoticeLoss()) return;
  const Object* o = Source(object);
  if (o == nullptr || !draw::InsidePicture(b, o->surface)) return;
  Submit(CopyCall(draw::DrawCall::Kind::kKeyed, object, b));
}

void elDraw::DrawObjectOpaque(int x, int y, int object, int sx, int sy, int ex, int ey) {
  draw::Blit b;
  if (!draw::ClipBlit(clip_, x, y, sx, sy, ex, ey, b) || NoticeLoss()) return;
  const Object* o = Source(object);
  if (o == nullptr || !draw::InsidePicture(b, o->surface)) return;
  Submit(CopyCall(draw::DrawCall::Kind::kOpaque, object, b));
}

void elDraw::ClearScreen() { Submit(draw::DrawCall()); }

void elDraw::Submit(const draw::DrawCall& call, std::string_view text) {
  using Kind = draw::DrawCall::Kind;
  const draw::Blit& b = call.blit;
  const bool covers_all =
      call.kind == Kind::kClear || (call.kind == Kind::kOpaque && b.x == 0 && b.y == 0 &&
                                    b.w == back_.width && b.h == back_.height);
  if (log_.Add(call, text, covers_all)) {
    if (!log_.Matching()) FlushDrawing();
    return;
  }
  FlushDrawing();
  Execute(call, text);
  shown_is_back_ = false;
}

void elDraw::FlushDrawing() {
  for (; drawn_ < log_.size(); ++drawn_) {
    Execute(log_.call(drawn_), log_.text(drawn_));
    shown_is_back_ = false;
  }
}

// The objects named were checked when the call was made, and the table has not
// changed since: any change to it draws what is pending first.
void elDraw::Execute(const draw::DrawCall& call, std::string_view text) {
  using Kind = draw::DrawCall::Kind;
  const Surface& picture = objects_[static_cast<size_t>(call.object)].surface;
  switch (call.kind) {
    case Kind::kKeyed:
      draw::BestKernels().keyed(draw::RowsOf(back_, picture, call.blit), picture.key);
      break;
    case Kind::kOpaque: draw::OpaqueRows(draw::RowsOf(back_, picture, call.blit)); break;
    case Kind::kClear: std::fill(back_.pixels.begin(), back_.pixels.end(), uint16_t{0}); break;
    case Kind::kHalf:
      draw::BestKernels().half(draw::RowsOf(back_, picture, call.blit),
                               static_cast<uint16_t>(call.value));
      break;
    case Kind::kAlpha: BlendAlpha(call, picture); break;
    case Kind::kText: {
      text_scratch_.assign(text);
      const platform::PixelView view{back_.pixels.data(), back_.width, back_.height, back_.pitch};
      platform::Get().DrawText(view, static_cast<int>(call.blit.x), static_cast<int>(call.blit.y),
                               text_scratch_, call.face, call.height, call.text_colour,
                               call.back_colour, call.transparent != 0);
      break;
    }
  }
}

Surface& elDraw::BackBuffer() {
  FlushDrawing();
  log_.Taint();
  shown_is_back_ = false;
  return back_;
}

// A frame that repeats the last one is not drawn again, and the platform is
// told that the picture is the one it has.
void elDraw::Present() {
  if (!open_) return;
  const bool again = drawn_ == 0 && log_.Repeats();
  if (!again) FlushDrawing();
  log_.NextFrame();
  drawn_ = 0;
  platform::Platform& p = platform::Get();
  const bool shown = p.WaitVerticalBlank() && !NoticeLoss();
  restored_in_frame_ = false;
  if (!shown) return;
  if (again && shown_is_back_)
    p.PresentAgain(back_.pixels.data(), back_.width, back_.height, back_.pitch);
  else
    p.PresentFrame(back_.pixels.data(), back_.width, back_.height, back_.pitch);
  shown_is_back_ = true;
}
