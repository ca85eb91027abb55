// Pieces of the harbour at night that the title, ranking and story pictures share.
#pragma once

#include <cstdint>
#include <string>

#include "image.h"
#include "painter.h"

// Sky above horizon y: night at dawn 0, sunrise at dawn 1, with stars fading as it lightens.
void Sky(Image& image, int horizon, float dawn, uint32_t seed);
void Moon(Image& image, float x, float y, float radius);
// Water below the horizon with ripples; the reflection column sits at reflect_x.
void Water(Image& image, int horizon, float dawn, float reflect_x, uint32_t seed);
// A paper lantern floating on the water, lit or gone out, with its reflection.
void FloatingLantern(Image& image, float x, float y, float scale, bool lit);
// Many lanterns spread towards the horizon.
void LanternFleet(Image& image, int horizon, int count, bool lit, uint32_t seed);
// A dark translucent panel with a warm rim, for text.
void Panel(Image& image, Rect r, float alpha = 0.8f);
// A keyed picture's own panel: fully opaque so that it shows whole when laid over a scene.
Image PanelPicture(int width, int height);
// English line over its Japanese line, centred on x.
void TwoLanguages(Image& image, int x, int y, const std::string& en, const std::string& jp,
                  int size);
