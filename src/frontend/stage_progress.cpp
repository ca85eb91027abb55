#include "frontend/stage_progress.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "frontend/save_file.h"
#include "library/system/line_reader.h"

namespace {

constexpr std::string_view kMagic = "ldstages";

}  // namespace

Reached ReachedIn(std::string_view bytes) {
  Reached reached{};
  if (bytes.size() < kMagic.size() || bytes.substr(0, kMagic.size()) != kMagic) return reached;
  const std::string_view flags = bytes.substr(kMagic.size());
  for (size_t i = 0; i < flags.size() && i < reached.size(); ++i) reached[i] = flags[i] == 1;
  return reached;
}

std::string ProgressBytes(const Reached& reached) {
  std::string bytes(kMagic);
  for (bool r : reached) bytes.push_back(r ? '\1' : '\0');
  return bytes;
}

std::string ProgressFile() {
  return (std::filesystem::path(SaveFilePath()).parent_path() / "stages.dat").string();
}

Reached ReadProgress() { return ReachedIn(ReadWholeFile(ProgressFile()).value_or("")); }

void MarkReached(int stage) {
  if (stage < 0 || stage >= kProgressStages) return;
  Reached reached = ReadProgress();
  if (reached[static_cast<size_t>(stage)]) return;
  reached[static_cast<size_t>(stage)] = true;
  if (!WriteFileWhole(ProgressFile(), ProgressBytes(reached)))
    std::fprintf(stderr, "lantern-drift: cannot write %s (%s); the stages reached are not saved\n",
                 ProgressFile().c_str(), std::strerror(errno));
}

bool WriteFileWhole(const std::string& path, std::string_view bytes) {
  const std::string temp = path + ".tmp";
  unlink(temp.c_str());
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const bool written =
      write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) && fsync(fd) == 0;
  const bool closed = close(fd) == 0;
  if (written && closed && std::rename(temp.c_str(), path.c_str()) == 0) return true;
  unlink(temp.c_str());
  return false;
}
