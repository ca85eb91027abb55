#include "pack.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "bmp_writer.h"
#include "dither.h"
#include "png_writer.h"
#include "wav_writer.h"

Pack::Pack(std::string game_dir) : game_dir_(std::move(game_dir)) {}

std::string Pack::PathOf(const std::string& name) const {
  if (name.size() > 30) throw std::runtime_error("content name longer than 30: " + name);
  std::string relative = name;
  for (char& c : relative) {
    if (c == '\\') c = '/';
  }
  const std::filesystem::path path = std::filesystem::path(game_dir_) / relative;
  std::filesystem::create_directories(path.parent_path());
  return path.string();
}

void Pack::Picture(const std::string& name, const Image& image) const {
  WriteBmp(PathOf(name), image);
}

void Pack::DitheredPicture(const std::string& name, const Image& image) const {
  WriteBmp(PathOf(name), Dithered565(image));
}

void Pack::Sound(const std::string& name, const std::vector<float>& samples) const {
  WriteWav(PathOf(name), samples);
}

void Pack::Music(const std::string& name, const std::vector<MidiTrack>& tracks,
                 uint32_t end) const {
  WriteMidi(PathOf(name), tracks, end);
}

void Pack::Png(const std::string& name, const Image& on_black, const Image& on_white) const {
  WritePng(PathOf(name), on_black, on_white);
}

void Pack::Text(const std::string& name, const std::string& text) const {
  std::ofstream file(PathOf(name), std::ios::binary);
  file << text;
  if (!file) throw std::runtime_error("cannot write " + name);
}
