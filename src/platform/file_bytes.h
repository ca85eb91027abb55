// Reading files that come from outside: only a regular file is opened, never in
// a way that can block (a FIFO or a device is refused before any read), and
// never more than a size no real file of its kind reaches.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Larger than any content file, config.ini or save.dat a player could mean.
inline constexpr size_t kMaxTextFileBytes = 16u << 20;
// A sound buffer holds at most 16 MiB of samples; the headers take little more.
inline constexpr size_t kMaxWaveFileBytes = (size_t{16} << 20) + 65536;

// The whole file, or nothing with `why` set to an English reason ("no such
// file", "a folder, not a file", "not a regular file", "larger than N bytes",
// or the system's error text).
std::optional<std::string> ReadRegularFile(const std::string& path, size_t max_bytes,
                                           std::string* why = nullptr);

// The same bytes handed to take in chunks of at most 64 KiB, never held whole;
// false with `why` as above when the file cannot be read to its end.
bool ReadRegularFileChunks(const std::string& path, size_t max_bytes,
                           const std::function<void(std::string_view)>& take,
                           std::string* why = nullptr);

// The first `bytes` bytes of a regular file, fewer when it is shorter; `why` as above.
std::optional<std::string> ReadFileStart(const std::string& path, size_t bytes,
                                         std::string* why = nullptr);

// Whether path names a regular file, following links; `why` as above when not.
bool IsRegularFile(const std::string& path, std::string* why = nullptr);

}  // namespace platform
