// The game folder being written: turns content names ("img\title.bmp") into files.
#pragma once

#include <string>
#include <vector>

#include "image.h"
#include "midi_writer.h"

class Pack {
 public:
  explicit Pack(std::string game_dir);

  // Kept exactly as painted: the sheets, fonts and menus, whose colours the game matches.
  void Picture(const std::string& name, const Image& image) const;
  // Ordered-dithered to RGB565: screens, floors and scenes, whose gradients would band.
  void DitheredPicture(const std::string& name, const Image& image) const;
  void Sound(const std::string& name, const std::vector<float>& samples) const;
  void Music(const std::string& name, const std::vector<MidiTrack>& tracks, uint32_t end) const;
  void Text(const std::string& name, const std::string& text) const;
  // A PNG with transparency from the picture painted on black and on white.
  void Png(const std::string& name, const Image& on_black, const Image& on_white) const;

 private:
  // "\" becomes "/"; names are checked against the 30-character limit of the loaders.
  std::string PathOf(const std::string& name) const;

  std::string game_dir_;
};
