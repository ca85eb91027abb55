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
// pictures come back from their files and that copy is dropped.
bool elDraw::NoticeLoss() {
  if (!platform::Get().SurfacesLost()) return false;
  RestoreObjects();
  return true;
}

void elDraw::DrawObject(int x, int y, int object, int sx, int sy, int ex, int ey) {
  draw::Blit b;
  if (!draw::ClipBlit(clip_, x, y, sx, sy, ex, ey, b) || NoticeLoss()) return;
  const Object* o = Source(object);
  if (o == nullptr || !draw::InsidePicture(b, o->surface)) return;
  draw::BestKernels().keyed(draw::RowsOf(back_, o->surface, b), o->surface.key);
}

void elDraw::DrawObjectOpaque(int x, int y, int object, int sx, int sy, int ex, int ey) {
  draw::Blit b;
  if (!draw::ClipBlit(clip_, x, y, sx, sy, ex, ey, b) || NoticeLoss()) return;
  const Object* o = Source(object);
  if (o == nullptr || !draw::InsidePicture(b, o->surface)) return;
  draw::OpaqueRows(draw::RowsOf(back_, o->surface, b));
}

void elDraw::ClearScreen() { std::fill(back_.pixels.begin(), back_.pixels.end(), uint16_t{0}); }

void elDraw::Present() {
  if (!open_) return;
  platform::Platform& p = platform::Get();
  if (!p.WaitVerticalBlank() || NoticeLoss()) return;
  p.PresentFrame(back_.pixels.data(), back_.width, back_.height, back_.pitch);
}
