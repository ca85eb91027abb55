// elDraw: the display, the 1024-slot sprite object table, the blitters into
// the 640x480 RGB565 back buffer, the blends, text and the frame-rate overlay.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "library/draw/clip.h"
#include "library/draw/draw_log.h"
#include "library/draw/pixel_format.h"
#include "library/draw/surface.h"

class elDraw {
 public:
  static constexpr int kObjects = 1024;
  static constexpr int kNameMax = 30;
  // LoadObject modes: where the content files ask a picture to be kept.
  static constexpr int kOrdinary = 2;
  static constexpr int kSystemMemory = 1;
  static constexpr int kDefaultWidth = 640;
  static constexpr int kDefaultHeight = 480;

  struct Object {
    Surface surface;
    bool has_surface = false;
    std::string name;  // empty: free slot
    uint32_t key_colour = 0;
    uint16_t width = 0;
    uint16_t height = 0;
  };

  // The platform's font description, as BeginText fills it.
  struct FontBlock {
    std::string face_name;
    int height = 0;
    int width = 0;
    int escapement = 0;
    int weight = 0;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t charset = 0;
  };

  // Opens the display and makes the two work sprites; StartLibrary (ui/start.h)
  // then starts the library's other parts.
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
  void WriteText(int x, int y, std::string_view text);
  void EndText();
  void DrawFps();
  void AllocFontBlock();
  void FreeFontBlock();

  bool IsOpen() const { return open_; }
  // The back buffer with every call so far drawn in it. A caller that writes
  // it directly keeps the next frames from being taken for repeats.
  Surface& BackBuffer();
  const Object& Slot(int handle) const;  // handle must be 0..1023
  int LoadedCount() const;               // named slots from 2 upwards
  const draw::PixelFormat& Format() const { return format_; }
  const draw::ClipRect& Clip() const { return clip_; }
  const std::optional<FontBlock>& Font() const { return font_block_; }
  const char* FpsText() const { return fps_text_.data(); }

 private:
  struct FpsStats {
    uint32_t next_sample = 0;
    int counter = 0;
    float current = 0.0f;
    float maximum = 0.0f;
    float minimum = 999.9f;
  };
  struct TextState {
    bool active = false;
    uint32_t text_colour = 0;
    uint32_t back_colour = 0;
    bool transparent = false;
  };

  static bool InTable(int handle) { return handle >= 0 && handle < kObjects; }
  int ScreenError(const char* message);
  void CreateWorkSprite(int slot, int width, int height);
  void EmptySlot(Object& object);
  bool LoadPicture(Object& object, const std::string& name);
  Object* Source(int handle);
  bool NoticeLoss();
  void SampleFps();
  // Drawing is put off while a frame repeats the last one; the first call
  // that differs draws all of them.
  void Submit(const draw::DrawCall& call, std::string_view text = {});
  void FlushDrawing();
  void Execute(const draw::DrawCall& call, std::string_view text);
  void BlendAlpha(const draw::DrawCall& call, const Surface& picture);
  draw::DrawCall CopyCall(draw::DrawCall::Kind kind, int object, const draw::Blit& b) const;

  bool open_ = false;
  Surface back_;
  std::array<Object, kObjects> objects_;
  uint32_t key_colour_ = 0;  // applied to every picture loaded
  draw::ClipRect clip_;
  draw::PixelFormat format_;
  std::optional<FontBlock> font_block_;
  TextState text_;
  std::string text_scratch_;  // keeps its capacity: no allocation per frame
  FpsStats fps_;
  std::array<char, 64> fps_text_{};
  draw::DrawLog log_;
  size_t drawn_ = 0;                // calls of this frame already in the buffer
  uint32_t generation_ = 0;         // counts the changes to the object table
  bool shown_is_back_ = false;      // the last picture presented is the buffer as it is
  bool restored_in_frame_ = false;  // a loss was noticed since the last present
};

extern elDraw g_draw;

// Back to the state before Screen (tests).
void ResetDraw();
