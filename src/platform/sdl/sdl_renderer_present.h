// Presents through an SDL renderer: a streaming RGB565 texture scaled by the
// renderer, for machines whose renderer the graphics card runs.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "platform/sdl/sdl_presenter.h"

namespace platform {

class SdlRendererPresent : public SdlPresenter {
 public:
  // Takes the renderer made for the window.
  SdlRendererPresent(SDL_Renderer* renderer, int width, int height);
  ~SdlRendererPresent() override;
  SdlRendererPresent(const SdlRendererPresent&) = delete;
  SdlRendererPresent& operator=(const SdlRendererPresent&) = delete;

  void Show(const uint16_t* pixels, int width, int height, int pitch, bool again) override;
  void Redraw() override { redraw_ = true; }
  void Resized() override;
  void Reset() override;
  // The renderer already gives points in picture coordinates.
  void ToPicture(int&, int&) const override {}

 private:
  bool CreateTexture();
  bool SameAsShown(const uint16_t* pixels, int pitch) const;
  void KeepShown(const uint16_t* pixels, int pitch);

  SDL_Renderer* renderer_;
  SDL_Texture* texture_ = nullptr;
  int width_;
  int height_;
  bool texture_stale_ = true;
  bool redraw_ = true;
  std::vector<uint16_t> shown_;  // the picture on screen, to skip presenting it again
};

}  // namespace platform
