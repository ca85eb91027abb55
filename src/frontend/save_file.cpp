#include "frontend/save_file.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include "library/system/line_reader.h"
#include "platform/file_writer.h"
#include "platform/platform.h"

std::array<int, 6> g_ranking{};

namespace {

constexpr char kMagic[] = {'q', 'o', 'r', 'v', 'a', 'n', 'e'};
constexpr size_t kMagicSize = sizeof kMagic;

// A copy that holds save.dat longer than this is not waited for: the scores
// stay in memory and go with the next save.
constexpr auto kLockWait = std::chrono::seconds(3);
constexpr auto kLockRetry = std::chrono::milliseconds(5);

// Where the ranking is written; every write merges with what is there.
std::string g_save_file = "save.dat";
// The ranking as it was last read from or written to the file: what this copy
// holds beyond it are the scores it added since.
Scores g_synced{};

Scores Top() { return {g_ranking[0], g_ranking[1], g_ranking[2], g_ranking[3], g_ranking[4]}; }

std::string Encode(const Scores& scores) {
  std::string out(kMagic, kMagicSize);
  for (int score : scores)
    for (size_t b = 0; b < 4; ++b)
      out += static_cast<char>(static_cast<uint32_t>(score) >> (8 * b));
  return out;
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

// Why the file may hold what is not ours to replace, said of file: it cannot be
// read, or it holds bytes other than a ranking. Empty when it is missing, empty
// or a ranking.
std::string NotOurs(const OnDisk& disk, const std::string& file) {
  if (disk.state == Disk::kUnreadable) return "cannot read " + file + " (" + disk.why + ")";
  if (disk.state == Disk::kRead && !disk.bytes.empty() && !ScoresIn(disk.bytes, Scores{}))
    return file + " holds no ranking of this game";
  return "";
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

bool IsPress(platform::MsgKind kind) {
  using platform::MsgKind;
  return kind == MsgKind::kKeyDown || kind == MsgKind::kSysKeyDown || kind == MsgKind::kPadButton ||
         kind == MsgKind::kMouseDown;
}

// Tries the lock again until it is free, the wait is over or the window is
// closed (by the player, or SIGTERM and SIGINT, which arrive as a close). The
// window's messages are taken meanwhile, so the desktop sees the game answer,
// and handed back afterwards; a press made during the wait is dropped.
platform::WriteLock::Try TakeLock(platform::WriteLock& lock, const std::string& file) {
  using Try = platform::WriteLock::Try;
  platform::Platform& p = platform::Get();
  const auto deadline = std::chrono::steady_clock::now() + kLockWait;
  std::vector<platform::Message> later;
  bool closing = false;
  Try got = lock.TryTake(file);
  while (got == Try::kBusy && !closing && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(kLockRetry);
    platform::Message m;
    while (p.PeekMessage(m)) {
      closing =
          closing || m.kind == platform::MsgKind::kClose || m.kind == platform::MsgKind::kQuit;
      if (!IsPress(m.kind)) later.push_back(m);
    }
    got = lock.TryTake(file);
  }
  for (const platform::Message& m : later) p.PostMessage(m);
  return got;
}

void Warn(const std::string& file, const std::string& why) {
  std::fprintf(stderr, "lantern-drift: cannot write %s (%s); the ranking is not saved\n",
               file.c_str(), why.c_str());
}

// A file that another copy holds, that cannot be read or that holds what is
// not a ranking is left as it is; the scores stay in memory for the next save.
bool WriteRanking(const std::string& file) {
  platform::WriteLock lock;
  // Where nothing can be locked the save goes ahead: a lone player keeps the score.
  if (TakeLock(lock, file) == platform::WriteLock::Try::kBusy) {
    std::fprintf(stderr,
                 "lantern-drift: save.dat is locked by another program; your score is kept and "
                 "saved next time\n");
    return false;
  }
  const OnDisk disk = ReadDisk(file);
  if (const std::string why = NotOurs(disk, file); !why.empty()) {
    std::fprintf(stderr, "lantern-drift: %s; it is left as it is, so the ranking is not saved\n",
                 why.c_str());
    return false;
  }
  const std::optional<Scores> theirs =
      disk.bytes.empty() ? std::nullopt : ScoresIn(disk.bytes, g_synced);
  const Scores merged = MergeRanking(theirs, g_synced, Top());
  const std::string bytes = Encode(merged);
  std::string why;
  if (!platform::ReplaceFile(file, bytes, &why) && !platform::RewriteFile(file, bytes, &why)) {
    Warn(file, why);
    return false;
  }
  std::copy(merged.begin(), merged.end(), g_ranking.begin());
  g_synced = merged;
  return true;
}

}  // namespace

Scores MergeRanking(const std::optional<Scores>& disk, const Scores& synced, const Scores& ours) {
  if (!disk || *disk == synced) return ours;
  std::vector<int> all(disk->begin(), disk->end());
  for (int score : Added(synced, *disk)) all.push_back(score);
  for (int score : Added(ours, synced)) all.push_back(score);
  std::sort(all.begin(), all.end(), std::greater<int>());
  Scores merged{};
  std::copy_n(all.begin(), 5, merged.begin());
  return merged;
}

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

bool IsOwnSaveFile(const std::string& file) { return NotOurs(ReadDisk(file), file).empty(); }

void ReadSaveFile(const std::string& file, const std::string& shown) {
  g_save_file = file;
  OnDisk disk = ReadDisk(shown);
  if (disk.state == Disk::kMissing && shown == file) {
    for (size_t i = 0; i < 5; ++i) g_ranking[i] = 0;
    g_synced.fill(0);
    WriteRanking(file);
    return;
  }
  const std::string not_ours = NotOurs(disk, shown);
  Scores top = Top();
  top = ScoresIn(disk.bytes, top).value_or(top);
  std::copy(top.begin(), top.end(), g_ranking.begin());
  g_synced = top;
  if (shown == file) {
    if (!not_ours.empty())
      std::fprintf(stderr, "lantern-drift: %s; it is left as it is\n", not_ours.c_str());
    return;
  }
  if (not_ours.empty())
    std::fprintf(stderr, "lantern-drift: %s cannot be written; new scores go to %s\n",
                 shown.c_str(), file.c_str());
  else
    std::fprintf(stderr, "lantern-drift: %s; it is left as it is and new scores go to %s\n",
                 not_ours.c_str(), file.c_str());
  // The player's own copy of a shared ranking adds the scores it saved before.
  disk = ReadDisk(file);
  if (disk.state != Disk::kRead) return;
  if (const std::optional<Scores> theirs = ScoresIn(disk.bytes, g_synced)) {
    g_synced = MergeRanking(theirs, g_synced, Top());
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
