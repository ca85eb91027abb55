// The software blends: half strength and alpha.
#include <bit>

#include "library/draw/el_draw.h"
#include "library/draw/row_kernels.h"

int elDraw::DrawObjectHalf(int x, int y, int object, int sx, int sy, int ex, int ey) {
  draw::Blit b;
  if (!draw::ClipBlit(clip_, x, y, sx, sy, ex, ey, b)) return 1;
  const Object* o = Source(object);
  if (o == nullptr) return 0;
  if (!draw::InsidePicture(b, o->surface)) return 1;
  draw::DrawCall call = CopyCall(draw::DrawCall::Kind::kHalf, object, b);
  call.value = format_.half_mask;
  Submit(call);
  return 1;
}

int elDraw::DrawObjectAlpha(int x, int y, float alpha, int object, int sx, int sy, int ex, int ey) {
  draw::Blit b;
  if (!draw::ClipBlit(clip_, x, y, sx, sy, ex, ey, b)) return 1;
  const Object* o = Source(object);
  if (o == nullptr) return 0;
  if (!draw::InsidePicture(b, o->surface)) return 1;
  draw::DrawCall call = CopyCall(draw::DrawCall::Kind::kAlpha, object, b);
  call.value = std::bit_cast<uint32_t>(alpha);
  Submit(call);
  return 1;
}

void elDraw::BlendAlpha(const draw::DrawCall& call, const Surface& picture) {
  const draw::AlphaWeights w = draw::MakeAlphaWeights(std::bit_cast<float>(call.value), format_);
  const draw::AlphaFn blend = w.integer ? draw::BestKernels().alpha : draw::AlphaFormula;
  blend(draw::RowsOf(back_, picture, call.blit), w);
}
