// Reading the generated content pack back: names, pictures, tagged text, sounds and music.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pack {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

// A content name ("img\TITLE.BMP", "Data\game.dat") as a file of the game folder,
// matched without regard to case as the game does; nullopt when there is none.
std::optional<std::string> Resolve(const std::string& name);
std::vector<uint8_t> ReadBytes(const std::string& path);

struct Size {
  int width = 0, height = 0;
};
// The size in a BMP header; nullopt when the file is missing or no BMP.
std::optional<Size> PictureSize(const std::string& name);

// The pixels of a 24-bit BMP, top row first; empty when the file is missing or another kind.
struct Picture {
  Size size;
  std::vector<Rgb> pixels;
  Rgb At(int x, int y) const { return pixels.at(static_cast<size_t>(y) * size.width + x); }
};
Picture ReadPicture(const std::string& name);

// Keys with their colon; directive keys upper-cased, block keys lower-cased.
using Keys = std::map<std::string, std::string>;

// A tagged text file split into its directives and its numbered blocks.
struct Tagged {
  Keys directives;
  Keys sound;
  std::map<int, Keys> enemies, objects, scenes;
};
Tagged ReadTagged(const std::string& name);

int Int(const Keys& keys, const std::string& key);

}  // namespace pack
