// Reading files that come from outside: only a regular file is opened, never in
// a way that can block (a FIFO or a device is refused before any read), and
// never more than a size no real file of its kind reaches.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

// Larger than any content file, config.ini or save.dat a player could mean.
inline constexpr size_t kMaxTextFileBytes = 16u << 20;

// The whole file, or nothing with `why` set to an English reason ("no such
// file", "a folder, not a file", "not a regular file", "larger than N bytes",
// or the system's error text).
std::optional<std::string> ReadRegularFile(const std::string& path, size_t max_bytes,
                                           std::string* why = nullptr);

// Whether path names a regular file, following links; `why` as above when not.
bool IsRegularFile(const std::string& path, std::string* why = nullptr);

}  // namespace platform
