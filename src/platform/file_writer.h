// Writing files that outlast the program: the one place that creates, replaces,
// rewrites, removes and locks them. Nothing here prints: each call says whether
// it worked and, when not, why in English (the system's text, or "a folder, not
// a file"); the caller words what follows and decides whether to go on.
#pragma once

#include <string>
#include <string_view>

#include "platform/fd.h"

namespace platform {

// Creates path holding bytes, only where nothing is there (never over a file,
// never through a link). A write that fails, as on a full disk, removes the
// file it made: no empty or cut file stays behind.
bool CreateNewFile(const std::string& path, std::string_view bytes, std::string* why = nullptr);

// Replaces the file as one step: a temporary file beside it, opened exclusively,
// written, flushed to the disk and renamed over it with the old file's owner and
// mode. A link is followed: its target is replaced and the link stays. Fails,
// leaving the file as it was, where the folder takes no new file or the old
// owner cannot be given to the new one.
bool ReplaceFile(const std::string& path, std::string_view bytes, std::string* why = nullptr);

// For a folder where ReplaceFile cannot work: the bytes with one write at the
// file's start, then the file cut to their length and flushed, so a crash
// leaves the old or the new bytes. A missing file is created.
bool RewriteFile(const std::string& path, std::string_view bytes, std::string* why = nullptr);

// Removes the file or link path names (never a link's target); a missing one is
// not a failure.
bool RemoveFile(const std::string& path, std::string* why = nullptr);
// Removes a folder with all it holds; a missing one is not a failure.
bool RemoveFolder(const std::string& path, std::string* why = nullptr);

// The path a chain of links ends at (path itself when it is no link); a
// relative target counts from its link's folder.
std::string LinkTarget(const std::string& path);

// A file written from its start in pieces, as a record is: Append keeps the
// bytes, Flush hands them to the file (a killed program leaves what was
// flushed), Close flushes and closes. The first failure is kept: later calls
// write nothing, and Close says it.
class StreamFile {
 public:
  // Creates path, or empties the file there.
  bool Open(const std::string& path, std::string* why = nullptr);
  void Append(std::string_view bytes);
  void Flush();
  bool Close(std::string* why = nullptr);
  ~StreamFile() { Flush(); }

 private:
  Fd fd_;
  std::string pending_;
  std::string failure_;
};

// The advisory lock that processes writing the same file take in turns. It
// locks the folder of the file's link target (a write never replaces a folder)
// and `path` + ".lock" beside the name given, where that is a regular file this
// user may open; a missing lock file is created readable and writable by all,
// whatever the umask. Copies that can use only one of the two, and older ones
// that lock only the lock file, still exclude each other.
class WriteLock {
 public:
  enum class Try { kTaken, kBusy, kUnavailable };
  // One try, never waiting. kBusy: another process holds the folder or the
  // lock file (this one then holds nothing); kUnavailable: neither can be
  // locked here, with why.
  Try TryTake(const std::string& path, std::string* why = nullptr);
  void Release();

 private:
  Fd folder_;
  Fd file_;
};

}  // namespace platform
