#include "platform/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/fd.h"

namespace platform {

namespace {

std::string KindReason(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder, not a file";
  return "not a regular file";
}

std::string ErrnoReason(int error) {
  if (error == ENOENT) return "no such file";
  return std::strerror(error);
}

void Say(std::string* why, std::string reason) {
  if (why != nullptr) *why = std::move(reason);
}

}  // namespace

bool IsRegularFile(const std::string& path, std::string* why) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) {
    Say(why, ErrnoReason(errno));
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    Say(why, KindReason(st.st_mode));
    return false;
  }
  return true;
}

std::optional<std::string> ReadRegularFile(const std::string& path, size_t max_bytes,
                                           std::string* why) {
  // O_NONBLOCK: opening a FIFO for reading must not wait for a writer.
  const Fd file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!file.valid()) {
    Say(why, ErrnoReason(errno));
    return std::nullopt;
  }
  struct stat st {};
  if (fstat(file.get(), &st) != 0) {
    Say(why, ErrnoReason(errno));
    return std::nullopt;
  }
  if (!S_ISREG(st.st_mode)) {
    Say(why, KindReason(st.st_mode));
    return std::nullopt;
  }
  const std::string too_large = "larger than " + std::to_string(max_bytes) + " bytes";
  if (static_cast<unsigned long long>(st.st_size) > max_bytes) {
    Say(why, too_large);
    return std::nullopt;
  }
  std::string bytes;
  char chunk[65536];
  for (;;) {
    const ssize_t got = read(file.get(), chunk, sizeof chunk);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      Say(why, ErrnoReason(errno));
      return std::nullopt;
    }
    // The file may grow while it is read.
    if (bytes.size() + static_cast<size_t>(got) > max_bytes) {
      Say(why, too_large);
      return std::nullopt;
    }
    bytes.append(chunk, static_cast<size_t>(got));
  }
  return bytes;
}

}  // namespace platform
