// Presents through an SDL renderer: a streaming RGB565 texture scaled by the
// renderer, for machines whose renderer the graphics card runs. To fill the
// window, the picture is drawn at its whole multiple into a texture that the
// renderer stretches linearly.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "platform/frame_scaler.h"
#include "platform/sdl/sdl_presenter.h"

namespace platform {

class SdlRendererPresent : public SdlPresenter {
 public:
  // Takes the renderer made for the window.
  SdlRendererPresent(SDL_Renderer* renderer, int width, int height, bool fill);
  ~SdlRendererPresent() override;
  SdlRendererPresent(const SdlRendererPresent&) = delete;
  SdlRendererPresent& operator=(const SdlRendererPresent&) = delete;

  void Show(const uint16_t* pixels, int width, int height, int pitch, bool again) override;
  void Redraw() override { redraw_ = true; }
  void Resized() override;
  void Reset() override;
  // Whole multiples: the renderer already gives points in picture coordinates.
  void ToPicture(int& x, int& y) const override;

 private:
  bool CreateTexture();
  bool CreateWide();
  void Draw();
  bool SameAsShown(const uint16_t* pixels, int pitch) const;
  void KeepShown(const uint16_t* pixels, int pitch);

  SDL_Renderer* renderer_;
  SDL_Texture* texture_ = nullptr;
  int width_;
  int height_;
  bool fill_;
  SDL_Texture* wide_ = nullptr;  // filling: the picture at its whole multiple
  int scale_ = 0;                // of wide_
  PictureRect rect_;             // filling: where the picture lands
  bool texture_stale_ = true;
  bool redraw_ = true;
  std::vector<uint16_t> shown_;  // the picture on screen, to skip presenting it again
};

}  // namespace platform
