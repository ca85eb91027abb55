#include "platform/file_writer.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace platform {

namespace {

bool Fail(std::string* why, const std::string& reason) {
  if (why != nullptr) *why = reason;
  return false;
}

bool FailErrno(std::string* why) { return Fail(why, std::strerror(errno)); }

// All of bytes from the file's start: one write, unless the system takes less.
bool WriteFromStart(int fd, std::string_view bytes, std::string* why) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n == 0 ? Fail(why, std::strerror(ENOSPC)) : FailErrno(why);
    done += static_cast<size_t>(n);
  }
  return true;
}

bool Flush(int fd, std::string* why) { return fsync(fd) == 0 || FailErrno(why); }

std::string FolderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

// The mode a new file gets from open(..., 0666).
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// The new file takes the old one's owner and mode; a new file the mode open() would give.
bool TakeOwnerAndMode(int fd, const struct stat* old, std::string* why) {
  if (old == nullptr) return fchmod(fd, NewFileMode()) == 0 || FailErrno(why);
  if (fchown(fd, old->st_uid, old->st_gid) != 0)
    return Fail(why, std::string("cannot keep its owner: ") + std::strerror(errno));
  // After the owner: a change of owner clears the set-id bits.
  return fchmod(fd, old->st_mode & 07777) == 0 || FailErrno(why);
}

enum class Flock { kTaken, kBusy, kFailed };

Flock TryFlock(int fd) {
  for (;;) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return Flock::kTaken;
    if (errno == EWOULDBLOCK) return Flock::kBusy;
    if (errno != EINTR) return Flock::kFailed;
  }
}

// An existing lock file is opened as it is; a missing one is made for every user.
// A link, a folder or a file this user may not open is no lock file.
Fd OpenLockFile(const std::string& path) {
  constexpr int kFlags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
  Fd fd(open(path.c_str(), kFlags));
  if (!fd.valid() && errno == ENOENT) {
    fd.Reset(open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0666));
    if (fd.valid())
      fchmod(fd.get(), 0666);  // a lock only this user could open would exclude no other
    else if (errno == EEXIST)
      fd.Reset(open(path.c_str(), kFlags));
  }
  struct stat st {};
  if (fd.valid() && (fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))) fd.Reset(-1);
  return fd;
}

}  // namespace

bool CreateNewFile(const std::string& path, std::string_view bytes, std::string* why) {
  const Fd file(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
  if (!file.valid()) return FailErrno(why);
  if (WriteFromStart(file.get(), bytes, why) && Flush(file.get(), why)) return true;
  unlink(path.c_str());
  return false;
}

bool ReplaceFile(const std::string& path, std::string_view bytes, std::string* why) {
  const std::string target = LinkTarget(path);
  struct stat old {};
  const bool existed = stat(target.c_str(), &old) == 0;
  if (!existed && errno != ENOENT) return FailErrno(why);
  if (existed && !S_ISREG(old.st_mode))
    return Fail(why, S_ISDIR(old.st_mode) ? "a folder, not a file" : "not a regular file");
  std::string temp = target + ".tmp-XXXXXX";
  const Fd file(mkostemp(temp.data(), O_CLOEXEC));
  if (!file.valid()) return FailErrno(why);
  if (TakeOwnerAndMode(file.get(), existed ? &old : nullptr, why) &&
      WriteFromStart(file.get(), bytes, why) && Flush(file.get(), why) &&
      (std::rename(temp.c_str(), target.c_str()) == 0 || FailErrno(why)))
    return true;
  unlink(temp.c_str());
  return false;
}

bool RewriteFile(const std::string& path, std::string_view bytes, std::string* why) {
  constexpr int kFlags = O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
  Fd file(open(path.c_str(), kFlags));
  if (!file.valid() && errno == ENOENT)
    file.Reset(open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0666));
  if (!file.valid()) return FailErrno(why);
  struct stat st {};
  if (fstat(file.get(), &st) != 0) return FailErrno(why);
  if (!S_ISREG(st.st_mode)) return Fail(why, "not a regular file");
  return WriteFromStart(file.get(), bytes, why) &&
         (ftruncate(file.get(), static_cast<off_t>(bytes.size())) == 0 || FailErrno(why)) &&
         Flush(file.get(), why);
}

bool RemoveFile(const std::string& path, std::string* why) {
  return unlink(path.c_str()) == 0 || errno == ENOENT || FailErrno(why);
}

bool RemoveFolder(const std::string& path, std::string* why) {
  std::error_code error;
  std::filesystem::remove_all(path, error);
  return !error || Fail(why, error.message());
}

std::string LinkTarget(const std::string& path) {
  std::error_code error;
  std::filesystem::path link = path;
  for (int hop = 0; hop < 40 && std::filesystem::is_symlink(link, error); ++hop) {
    const std::filesystem::path next = std::filesystem::read_symlink(link, error);
    if (error) break;
    link = link.parent_path() / next;
  }
  return link.string();
}

WriteLock::Try WriteLock::TryTake(const std::string& path, std::string* why) {
  Release();
  Fd folder(open(FolderOf(LinkTarget(path)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  Fd file = OpenLockFile(path + ".lock");
  for (Fd* fd : {&folder, &file}) {
    if (!fd->valid()) continue;
    const Flock got = TryFlock(fd->get());
    if (got == Flock::kBusy) return Try::kBusy;
    if (got == Flock::kFailed) fd->Reset(-1);
  }
  if (!folder.valid() && !file.valid()) {
    Fail(why, "neither its folder nor " + path + ".lock can be locked");
    return Try::kUnavailable;
  }
  folder_ = std::move(folder);
  file_ = std::move(file);
  return Try::kTaken;
}

void WriteLock::Release() {
  file_.Reset(-1);
  folder_.Reset(-1);
}

bool StreamFile::Open(const std::string& path, std::string* why) {
  pending_.clear();
  failure_.clear();
  fd_.Reset(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0666));
  return fd_.valid() || FailErrno(why);
}

void StreamFile::Append(std::string_view bytes) {
  if (fd_.valid() && failure_.empty()) pending_.append(bytes);
}

void StreamFile::Flush() {
  if (!fd_.valid() || !failure_.empty()) return;
  std::string_view rest = pending_;
  while (!rest.empty()) {
    const ssize_t n = write(fd_.get(), rest.data(), rest.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failure_ = std::strerror(n == 0 ? ENOSPC : errno);
      break;
    }
    rest.remove_prefix(static_cast<size_t>(n));
  }
  pending_.clear();
}

bool StreamFile::Close(std::string* why) {
  Flush();
  if (fd_.valid() && close(fd_.Release()) != 0 && failure_.empty()) failure_ = std::strerror(errno);
  return failure_.empty() || Fail(why, failure_);
}

}  // namespace platform
