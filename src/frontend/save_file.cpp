#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "frontend/ranking.h"

std::array<int, 6> g_ranking{};


namespace {

constexpr char kMagic[] = {'q', 'o', 'r', 'v', 'a', 'n', 'e'};
constexpr size_t kMagicSize = sizeof kMagic;
constexpr size_t kFileSize = kMagicSize + 5 * 4;
// Where ReadSaveFile found the ranking: every later write goes there.
std::string g_save_file = "save.dat";

void Encode(unsigned char* out) {
  std::memcpy(out, kMagic, kMagicSize);
  for (int i = 0; i < 5; ++i) {
    const auto v = static_cast<uint32_t>(g_ranking[static_cast<size_t>(i)]);
    for (int b = 0; b < 4; ++b) out[kMagicSize + 4 * i + b] = static_cast<unsigned char>(v >> (8 * b));
  }
}

void Decode(const unsigned char* in) {
  for (int i = 0; i < 5; ++i) {
    uint32_t v = 0;
    for (int b = 0; b < 4; ++b) v |= static_cast<uint32_t>(in[kMagicSize + 4 * i + b]) << (8 * b);
    g_ranking[static_cast<size_t>(i)] = static_cast<int>(v);
  }
}

// Writes to a temporary file beside the target, then renames it over the
// target, so a crash or a full disk never leaves a damaged ranking.
bool WriteAtomically(const std::string& file) {
  unsigned char bytes[kFileSize];
  Encode(bytes);
  const std::string temp = file + ".tmp";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (f == nullptr) return false;
  bool ok = std::fwrite(bytes, 1, kFileSize, f) == kFileSize;
  ok = std::fflush(f) == 0 && ok;
  ok = fsync(fileno(f)) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  if (ok) ok = std::rename(temp.c_str(), file.c_str()) == 0;
  if (!ok) std::remove(temp.c_str());
  return ok;
}

void Warn(const std::string& file) {
  std::fprintf(stderr, "lantern-drift: cannot write %s; the ranking is not saved\n", file.c_str());
}

}  // namespace

void ResetRanking() {
  g_ranking.fill(0);
  g_save_file = "save.dat";
}

void ReadSaveFile(const std::string& file) {
  g_save_file = file;
  std::FILE* f = std::fopen(file.c_str(), "rb");
  if (f == nullptr) {
    for (int i = 0; i < 5; ++i) g_ranking[static_cast<size_t>(i)] = 0;
    if (!WriteAtomically(file)) Warn(file);
    return;
  }
  unsigned char bytes[kFileSize];
  const size_t got = std::fread(bytes, 1, kFileSize, f);
  std::fclose(f);
  if (got == kFileSize && std::memcmp(bytes, kMagic, kMagicSize) == 0) Decode(bytes);
}

bool WriteSaveFile() {
  if (WriteAtomically(g_save_file)) return true;
  Warn(g_save_file);
  return false;
}

void InsertScore(int score) {
  g_ranking[5] = score;
  for (int i = 4; i >= 0; --i) {
    const auto a = static_cast<size_t>(i);
    if (g_ranking[a] < g_ranking[a + 1]) std::swap(g_ranking[a], g_ranking[a + 1]);
  }
  WriteSaveFile();
}
