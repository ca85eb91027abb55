// Pictures from arbitrary bytes, through the loader and every blitter.
#include "fuzz_home.h"
#include "library/draw/el_draw.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzHome home;
  home.Begin("img/f.bmp", data, size);
  const int handle = g_draw.LoadObject("img\\F.BMP", 2);
  if (handle < 2) return 0;
  const elDraw::Object& o = g_draw.Slot(handle);
  g_draw.DrawObject(-3, 5, handle, 0, 0, o.width, o.height);
  g_draw.DrawObjectOpaque(600, 470, handle, 1, 1, o.width, o.height);
  g_draw.DrawObjectHalf(10, -7, handle, 0, 0, o.width + 1, o.height);
  g_draw.DrawObjectAlpha(100, 100, 0.3f, handle, 0, 0, o.width, o.height);
  g_draw.ReleaseObject(handle);
  return 0;
}
