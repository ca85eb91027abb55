#include "contentpack/pack_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace pack {
namespace {

namespace fs = std::filesystem;

std::string Cased(std::string s, bool upper = false) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [upper](unsigned char c) { return upper ? std::toupper(c) : std::tolower(c); });
  return s;
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

}  // namespace

std::optional<std::string> Resolve(const std::string& name) {
  fs::path at = LD_GAME_DIR;
  std::stringstream parts(name);
  std::string part;
  while (std::getline(parts, part, '\\')) {
    if (!fs::is_directory(at)) return std::nullopt;
    std::optional<fs::path> found;
    for (const auto& entry : fs::directory_iterator(at))
      if (Cased(entry.path().filename().string()) == Cased(part)) found = entry.path();
    if (!found) return std::nullopt;
    at = *found;
  }
  return at.string();
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::optional<Size> PictureSize(const std::string& name) {
  const auto path = Resolve(name);
  if (!path) return std::nullopt;
  const auto bytes = ReadBytes(*path);
  if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  const int height = static_cast<int32_t>(Le32(bytes, 22));
  return Size{static_cast<int32_t>(Le32(bytes, 18)), height < 0 ? -height : height};
}

Picture ReadPicture(const std::string& name) {
  Picture p;
  const auto size = PictureSize(name);
  const auto bytes = ReadBytes(Resolve(name).value_or(""));
  if (!size || bytes.size() < 54 || (bytes[28] | bytes[29] << 8) != 24) return p;
  const size_t row = (static_cast<size_t>(size->width) * 3 + 3) & ~size_t{3};
  const size_t start = Le32(bytes, 10);
  if (start + row * size->height > bytes.size()) return p;
  p.size = *size;
  for (int y = size->height - 1; y >= 0; --y)
    for (int x = 0; x < size->width; ++x) {
      const size_t at = start + row * y + 3 * x;
      p.pixels.push_back({bytes[at + 2], bytes[at + 1], bytes[at]});
    }
  return p;
}

Tagged ReadTagged(const std::string& name) {
  Tagged t;
  const auto path = Resolve(name);
  if (!path) return t;
  std::ifstream file(*path);
  std::string line;
  Keys* block = nullptr;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t colon = line.find(':');
    if (line.empty() || line[0] == ';' || colon == std::string::npos) continue;
    const std::string value = line.substr(colon + 1);
    if (line[0] != '#') {
      const std::string key = Cased(line.substr(0, colon + 1));
      if (block != nullptr) (*block)[key] = value;
      continue;
    }
    const std::string key = Cased(line.substr(1, colon), true);
    t.directives[key] = value;
    block = key == "SOUND:"    ? &t.sound
            : key == "ENEMY:"  ? &t.enemies[std::stoi(value)]
            : key == "OBJECT:" ? &t.objects[std::stoi(value)]
            : key == "SCENE:"  ? &t.scenes[std::stoi(value)]
                               : nullptr;
  }
  return t;
}

int Int(const Keys& keys, const std::string& key) {
  const auto found = keys.find(key);
  return found == keys.end() ? 0 : std::atoi(found->second.c_str());
}

}  // namespace pack
