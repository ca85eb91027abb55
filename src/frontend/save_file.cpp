#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

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

// The first count scores; the slots after them are left as they are.
void Decode(const unsigned char* in, size_t count) {
  for (size_t i = 0; i < count && i < 5; ++i) {
    uint32_t v = 0;
    for (int b = 0; b < 4; ++b) v |= static_cast<uint32_t>(in[kMagicSize + 4 * i + b]) << (8 * b);
    g_ranking[i] = static_cast<int>(v);
  }
}

bool WriteAll(int fd, const unsigned char* bytes) {
  bool ok = write(fd, bytes, kFileSize) == static_cast<ssize_t>(kFileSize);
  ok = fsync(fd) == 0 && ok;
  return close(fd) == 0 && ok;
}

// Writes to a temporary file beside the target, then renames it over the
// target, so a crash or a full disk never leaves a damaged ranking. Where no
// temporary file can be made (a shared install whose folder is closed), or it
// cannot get the old file's owner, the file is written in place instead.
bool WriteRanking(const std::string& file) {
  unsigned char bytes[kFileSize];
  Encode(bytes);
  // A link is written through to its target, never replaced by a file.
  std::error_code error;
  std::filesystem::path link = file;
  for (int hop = 0; hop < 40 && std::filesystem::is_symlink(link, error); ++hop) {
    const std::filesystem::path next = std::filesystem::read_symlink(link, error);
    if (error) break;
    link = link.parent_path() / next;
  }
  const std::string target = link.string();
  struct stat old {};
  const bool exists = stat(target.c_str(), &old) == 0;
  const std::string temp = target + ".tmp";
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd >= 0) {
    if (!exists || (fchown(fd, old.st_uid, old.st_gid) == 0 && fchmod(fd, old.st_mode & 07777) == 0)) {
      const bool ok = WriteAll(fd, bytes) && std::rename(temp.c_str(), target.c_str()) == 0;
      if (!ok) std::remove(temp.c_str());
      return ok;
    }
    close(fd);
    std::remove(temp.c_str());
  }
  const int in_place = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  return in_place >= 0 && WriteAll(in_place, bytes);
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
    if (!WriteRanking(file)) Warn(file);
    return;
  }
  unsigned char bytes[kFileSize];
  const size_t got = std::fread(bytes, 1, kFileSize, f);
  std::fclose(f);
  // A file cut short gives the scores it still holds.
  if (got >= kMagicSize && std::memcmp(bytes, kMagic, kMagicSize) == 0)
    Decode(bytes, (got - kMagicSize) / 4);
}

bool WriteSaveFile() {
  if (WriteRanking(g_save_file)) return true;
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
