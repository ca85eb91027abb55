// The software blends: half strength and alpha.
#include "library/draw/el_draw.h"
#include "library/draw/row_kernels.h"

int elDraw::DrawObjectHalf(int x, int y, int object, int sx, int sy, int ex, int ey) {
  draw::Blit b;
  if (!draw::ClipBlit(clip_, x, y, sx, sy, ex, ey, b)) return 1;
  const Object* o = Source(object);
  if (o == nullptr) return 0;
  if (!draw::InsidePicture(b, o->surface)) return 1;
  draw::BestKernels().half(draw::RowsOf(back_, o->surface, b),
                           static_cast<uint16_t>(format_.half_mask));
  return 1;
}

int elDraw::DrawObjectAlpha(int x, int y, float alpha, int object, int sx, int sy, int ex, int ey) {
  draw::Blit b;
  if (!draw::ClipBlit(clip_, x, y, sx, sy, ex, ey, b)) return 1;
  const Object* o = Source(object);
  if (o == nullptr) return 0;
  if (!draw::InsidePicture(b, o->surface)) return 1;
  const draw::AlphaWeights w = draw::MakeAlphaWeights(alpha, format_);
  const draw::AlphaFn blend = w.integer ? draw::BestKernels().alpha : draw::AlphaFormula;
  blend(draw::RowsOf(back_, o->surface, b), w);
  return 1;
}
