#include "frontend/save_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "library/system/line_reader.h"

std::array<int, 6> g_ranking{};

namespace {

constexpr char kMagic[] = {'q', 'o', 'r', 'v', 'a', 'n', 'e'};
constexpr size_t kMagicSize = sizeof kMagic;
constexpr size_t kFileSize = kMagicSize + 5 * 4;

// Where the ranking is written; every write merges with what is there.
std::string g_save_file = "save.dat";
// The ranking as it was last read from or written to the file: what this copy
// holds beyond it are the scores it added since.
Scores g_synced{};

Scores Top() { return {g_ranking[0], g_ranking[1], g_ranking[2], g_ranking[3], g_ranking[4]}; }

void Encode(const Scores& scores, unsigned char* out) {
  std::memcpy(out, kMagic, kMagicSize);
  for (size_t i = 0; i < 5; ++i) {
    const auto v = static_cast<uint32_t>(scores[i]);
    for (size_t b = 0; b < 4; ++b)
      out[kMagicSize + 4 * i + b] = static_cast<unsigned char>(v >> (8 * b));
  }
}

enum class Disk { kMissing, kRead, kUnreadable };

struct OnDisk {
  Disk state = Disk::kMissing;
  std::string bytes;
  std::string why;
};

OnDisk ReadDisk(const std::string& file) {
  OnDisk disk;
  if (std::optional<std::string> bytes = ReadWholeFile(file, &disk.why)) {
    disk.state = Disk::kRead;
    disk.bytes = std::move(*bytes);
  } else {
    disk.state =
        access(file.c_str(), F_OK) != 0 && errno == ENOENT ? Disk::kMissing : Disk::kUnreadable;
  }
  return disk;
}

// Scores in a that b does not hold, counting equal scores one by one.
std::vector<int> Added(const Scores& a, const Scores& b) {
  std::vector<int> left(b.begin(), b.end()), added;
  for (int score : a) {
    const auto it = std::find(left.begin(), left.end(), score);
    if (it == left.end())
      added.push_back(score);
    else
      left.erase(it);
  }
  return added;
}

// The file's ranking with the scores this copy added since it last read or
// wrote it, so a score that another copy saved meanwhile is kept; scores this
// copy read there and the file lost come back too. A file nobody else changed
// gets what this copy holds, as it stands.
Scores Merge(const OnDisk& disk) {
  const std::optional<Scores> on_disk = ScoresIn(disk.bytes, g_synced);
  if (disk.state != Disk::kRead || !on_disk) return Top();
  const Scores& theirs = *on_disk;
  if (theirs == g_synced) return Top();
  std::vector<int> all(theirs.begin(), theirs.end());
  for (int score : Added(g_synced, theirs)) all.push_back(score);
  for (int score : Added(Top(), g_synced)) all.push_back(score);
  std::sort(all.begin(), all.end(), std::greater<int>());
  Scores merged{};
  std::copy_n(all.begin(), 5, merged.begin());
  return merged;
}

// Closes the descriptor whichever way a write ends.
struct Fd {
  int fd;
  ~Fd() {
    if (fd >= 0) close(fd);
  }
};

bool WriteAll(int fd, const unsigned char* bytes) {
  return pwrite(fd, bytes, kFileSize, 0) == static_cast<ssize_t>(kFileSize) && fsync(fd) == 0;
}

// A temporary file beside the target, opened exclusively (a name left there,
// even a hard link to another file, is removed, never written through), then
// renamed over it with the old file's owner and mode.
bool WriteByRename(const std::string& target, const OnDisk& disk, const unsigned char* bytes) {
  const std::string temp = target + ".tmp";
  unlink(temp.c_str());
  const Fd file{open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666)};
  if (file.fd < 0) return false;
  struct stat old {};
  const bool same_owner =
      disk.state == Disk::kMissing ||
      (stat(target.c_str(), &old) == 0 && fchown(file.fd, old.st_uid, old.st_gid) == 0 &&
       fchmod(file.fd, old.st_mode & 07777) == 0);
  if (same_owner && WriteAll(file.fd, bytes) && std::rename(temp.c_str(), target.c_str()) == 0)
    return true;
  unlink(temp.c_str());
  return false;
}

// Where the folder allows no new file: the whole ranking with one write at
// offset 0, then the file cut to its length, so a crash leaves the old or the
// new scores, never an empty file.
bool WriteInPlace(const std::string& target, const OnDisk& disk, const unsigned char* bytes) {
  const int create = disk.state == Disk::kMissing ? O_CREAT | O_EXCL : 0;
  const Fd file{open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | create, 0666)};
  struct stat st {};
  return file.fd >= 0 && fstat(file.fd, &st) == 0 && S_ISREG(st.st_mode) &&
         pwrite(file.fd, bytes, kFileSize, 0) == static_cast<ssize_t>(kFileSize) &&
         ftruncate(file.fd, kFileSize) == 0 && fsync(file.fd) == 0;
}

// A link is written through to its target, never replaced by a file.
std::string LinkTarget(const std::string& file) {
  std::error_code error;
  std::filesystem::path link = file;
  for (int hop = 0; hop < 40 && std::filesystem::is_symlink(link, error); ++hop) {
    const std::filesystem::path next = std::filesystem::read_symlink(link, error);
    if (error) break;
    link = link.parent_path() / next;
  }
  return link.string();
}

// Copies of the game take turns: a lock file beside save.dat, or save.dat
// itself where no file can be made there (it is then written in place, so the
// lock stays on the file that is written).
int Lock(const std::string& target) {
  int fd = open((target + ".lock").c_str(),
                O_RDONLY | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) fd = open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return -1;
  while (flock(fd, LOCK_EX) != 0 && errno == EINTR) {
  }
  return fd;
}

void Warn(const std::string& file, const std::string& why) {
  std::fprintf(stderr, "lantern-drift: cannot write %s (%s); the ranking is not saved\n",
               file.c_str(), why.c_str());
}

bool WriteRanking(const std::string& file) {
  const std::string target = LinkTarget(file);
  const Fd lock{Lock(target)};
  const OnDisk disk = ReadDisk(target);
  // A file that is there but cannot be read may hold scores: it is never replaced.
  if (disk.state == Disk::kUnreadable) {
    Warn(file, "it cannot be read: " + disk.why);
    return false;
  }
  const Scores merged = Merge(disk);
  unsigned char bytes[kFileSize];
  Encode(merged, bytes);
  if (!WriteByRename(target, disk, bytes) && !WriteInPlace(target, disk, bytes)) {
    Warn(file, std::strerror(errno));
    return false;
  }
  std::copy(merged.begin(), merged.end(), g_ranking.begin());
  g_synced = merged;
  return true;
}

}  // namespace

std::optional<Scores> ScoresIn(std::string_view bytes, Scores scores) {
  if (bytes.size() < kMagicSize ||
      bytes.compare(0, kMagicSize, std::string_view(kMagic, kMagicSize)) != 0)
    return std::nullopt;
  const size_t count = std::min<size_t>((bytes.size() - kMagicSize) / 4, 5);
  for (size_t i = 0; i < count; ++i) {
    uint32_t v = 0;
    for (size_t b = 0; b < 4; ++b)
      v |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[kMagicSize + 4 * i + b]))
           << (8 * b);
    scores[i] = static_cast<int>(v);
  }
  return scores;
}

void ResetRanking() {
  g_ranking.fill(0);
  g_synced.fill(0);
  g_save_file = "save.dat";
}

void ReadSaveFile(const std::string& file, const std::string& shown) {
  g_save_file = file;
  OnDisk disk = ReadDisk(shown);
  if (disk.state == Disk::kMissing && shown == file) {
    for (size_t i = 0; i < 5; ++i) g_ranking[i] = 0;
    g_synced.fill(0);
    WriteRanking(file);
    return;
  }
  if (disk.state == Disk::kUnreadable)
    std::fprintf(stderr, "lantern-drift: cannot read %s (%s); it is left as it is\n", shown.c_str(),
                 disk.why.c_str());
  Scores top = Top();
  top = ScoresIn(disk.bytes, top).value_or(top);
  std::copy(top.begin(), top.end(), g_ranking.begin());
  g_synced = top;
  if (shown == file) return;
  std::fprintf(stderr, "lantern-drift: %s cannot be written; new scores go to %s\n", shown.c_str(),
               file.c_str());
  // The player's own copy of a shared ranking adds the scores it saved before.
  disk = ReadDisk(file);
  if (disk.state == Disk::kRead && ScoresIn(disk.bytes, g_synced)) {
    g_synced = Merge(disk);
    std::copy(g_synced.begin(), g_synced.end(), g_ranking.begin());
  }
}

const std::string& SaveFilePath() { return g_save_file; }

bool WriteSaveFile() { return WriteRanking(g_save_file); }

void InsertScore(int score) {
  g_ranking[5] = score;
  for (int i = 4; i >= 0; --i) {
    const auto a = static_cast<size_t>(i);
    if (g_ranking[a] < g_ranking[a + 1]) std::swap(g_ranking[a], g_ranking[a + 1]);
  }
  WriteSaveFile();
}
