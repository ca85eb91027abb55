#include "platform/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
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

// The file opened for reading when it is a regular file no larger than
// max_bytes; its size in size.
bool OpenRegular(const std::string& path, size_t max_bytes, Fd& file, size_t& size,
                 std::string* why) {
  // O_NONBLOCK: opening a FIFO for reading must not wait for a writer.
  file.Reset(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!file.valid()) {
    Say(why, ErrnoReason(errno));
    return false;
  }
  struct stat st {};
  if (fstat(file.get(), &st) != 0) {
    Say(why, ErrnoReason(errno));
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    Say(why, KindReason(st.st_mode));
    return false;
  }
  if (static_cast<unsigned long long>(st.st_size) > max_bytes) {
    Say(why, "larger than " + std::to_string(max_bytes) + " bytes");
    return false;
  }
  size = static_cast<size_t>(st.st_size);
  return true;
}

// Up to `limit` bytes from fd in chunks to take; false with why on a read error.
bool ReadChunks(int fd, size_t limit, const std::function<void(std::string_view)>& take,
                std::string* why) {
  char chunk[65536];
  for (size_t done = 0; done < limit;) {
    const ssize_t got = read(fd, chunk, std::min(sizeof chunk, limit - done));
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      Say(why, ErrnoReason(errno));
      return false;
    }
    done += static_cast<size_t>(got);
    take(std::string_view(chunk, static_cast<size_t>(got)));
  }
  return true;
}

// The rest of fd to take, failing when it passes max_bytes: the file may grow while it is read.
bool ReadWithin(int fd, size_t max_bytes, const std::function<void(std::string_view)>& take,
                std::string* why) {
  size_t read_bytes = 0;
  const bool ok = ReadChunks(
      fd, max_bytes < SIZE_MAX ? max_bytes + 1 : max_bytes,
      [&](std::string_view chunk) {
        read_bytes += chunk.size();
        if (read_bytes <= max_bytes) take(chunk);
      },
      why);
  if (ok && read_bytes > max_bytes) Say(why, "larger than " + std::to_string(max_bytes) + " bytes");
  return ok && read_bytes <= max_bytes;
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

bool ReadRegularFileChunks(const std::string& path, size_t max_bytes,
                           const std::function<void(std::string_view)>& take, std::string* why) {
  Fd file;
  size_t size = 0;
  return OpenRegular(path, max_bytes, file, size, why) &&
         ReadWithin(file.get(), max_bytes, take, why);
}

std::optional<std::string> ReadRegularFile(const std::string& path, size_t max_bytes,
                                           std::string* why) {
  Fd file;
  size_t size = 0;
  if (!OpenRegular(path, max_bytes, file, size, why)) return std::nullopt;
  std::string bytes;
  bytes.reserve(size);  // a large file is not copied as it grows
  if (!ReadWithin(
          file.get(), max_bytes, [&](std::string_view chunk) { bytes.append(chunk); }, why))
    return std::nullopt;
  return bytes;
}

std::optional<std::string> ReadFileStart(const std::string& path, size_t bytes, std::string* why) {
  Fd file;
  size_t size = 0;
  if (!OpenRegular(path, SIZE_MAX, file, size, why)) return std::nullopt;
  std::string start;
  if (!ReadChunks(
          file.get(), bytes, [&](std::string_view chunk) { start.append(chunk); }, why))
    return std::nullopt;
  return start;
}

}  // namespace platform
