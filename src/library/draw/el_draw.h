// elDraw: the display, the 1024-slot sprite object table, the blitters into
// the 640x480 RGB565 back buffer, the blends, text and the frame-rate overlay.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "library/draw/surface.h"

class elDraw {
 public:
  static constexpr int kObjects = 1024;
  static constexpr int kNameMax = 30;

  struct Object {
    Surface surface;
    bool has_surface = false;
    std::string name;  // empty: free slot
    uint32_t key_colour = 0;
    uint16_t width = 0;
    uint16_t height = 0;
  };

  int Screen(int width, int height, int mode);
  void CloseScreen();

  int LoadObject(const std::string& name, int mode);
  int SwapObject(const std::string& name, int handle, int mode);
  void ReleaseObject(int handle);
  void RestoreObjects();

  void DrawObject(int x, int y, int object, int sx, int sy, int ex, int ey);
  void DrawObjectOpaque(int x, int y, int object, int sx, int sy, int ex, int ey);
  void ClearScreen();
  void Present();
  int DrawObjectHalf(int x, int y, int object, int sx, int sy, int ex, int ey);
  int DrawObjectAlpha(int x, int y, float alpha, int object, int sx, int sy, int ex, int ey);

  void BeginText(int face, int height, int angle, int weight, uint8_t italic, uint8_t underline);
  void SetTextColors(uint32_t text_colour, uint32_t back_colour, int transparent);
  void WriteText(int x, int y, const std::string& text);
  void EndText();
  void DrawFps();
  void FreeFontBlock();

  bool IsOpen() const { return open_; }
  Surface& BackBuffer() { return back_; }
  const Object& Slot(int handle) const;  // handle must be 0..1023
  int LoadedCount() const;               // named slots from 2 upwards

 private:
  bool open_ = false;
  Surface back_;
  std::array<Object, kObjects> objects_;
  // The rest of elDraw's state (clip rectangle, pixel format, font block,
  // frame-rate statistics) is private to its implementation files.
  friend struct elDrawAccess;
};

extern elDraw g_draw;

// Back to the state before Screen (tests).
void ResetDraw();
