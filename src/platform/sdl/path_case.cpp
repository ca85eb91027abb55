#include "platform/sdl/path_case.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace platform {

namespace {

bool Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

// The entry of dir that equals part without regard to case; part when none does.
std::string MatchEntry(const std::string& dir, const std::string& part) {
  DIR* d = opendir(dir.empty() ? "." : dir.c_str());
  if (d == nullptr) return part;
  std::string found = part;
  while (dirent* e = readdir(d)) {
    if (strcasecmp(part.c_str(), e->d_name) == 0) {
      found = e->d_name;
      break;
    }
  }
  closedir(d);
  return found;
}

}  // namespace

std::string MatchPathCase(const std::string& path) {
  std::string result = path.empty() || (path[0] != '/' && path[0] != '\\') ? "" : "/";
  std::string part;
  for (size_t i = 0; i <= path.size(); ++i) {
    const bool end = i == path.size() || path[i] == '/' || path[i] == '\\';
    if (!end) {
      part += path[i];
      continue;
    }
    if (part.empty()) continue;
    const std::string written = result + part;
    result = Exists(written) ? written : result + MatchEntry(result, part);
    if (i < path.size()) result += '/';
    part.clear();
  }
  return result;
}

}  // namespace platform
