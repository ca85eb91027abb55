#include "library/system/file_lookup.h"

#include <dirent.h>
#include <strings.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/file_bytes.h"
#include "platform/platform.h"

namespace {

std::vector<std::string> Split(const std::string& name) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : name) {
    if (c == '\\' || c == '/') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

bool Exists(const std::string& path) {
  DIR* d = opendir(path.empty() ? "." : path.c_str());
  if (d != nullptr) {
    closedir(d);
    return true;
  }
  return false;
}

// The entry of dir that is part, ignoring case; part itself when none is.
std::string MatchEntry(const std::string& dir, const std::string& part) {
  const std::string where = dir.empty() ? "." : dir;
  DIR* d = opendir(where.c_str());
  if (d == nullptr) return part;
  std::string found = part;
  bool exact = false;
  while (dirent* e = readdir(d)) {
    if (part == e->d_name) {
      exact = true;
      break;
    }
    if (strcasecmp(part.c_str(), e->d_name) == 0 && found == part) found = e->d_name;
  }
  closedir(d);
  return exact ? part : found;
}

}  // namespace

std::string FindFile(const std::string& base, const std::string& name) {
  std::string path = base;
  const std::vector<std::string> parts = Split(name);
  for (const std::string& part : parts) {
    std::string next = part;
    if (part != "." && part != ".." && Exists(path)) next = MatchEntry(path, part);
    if (!path.empty() && path.back() != '/') path += '/';
    path += next;
  }
  return path;
}

namespace {
std::string g_pack_dir;
std::string g_game_dir;
}  // namespace

void UsePackDir(const std::string& dir) { g_pack_dir = dir; }
void UseGameDir(const std::string& dir) { g_game_dir = dir; }

std::string GetProgramDir() {
  if (!g_pack_dir.empty()) return g_pack_dir;
  std::string path = platform::Get().ProgramPath();
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return "./";
  return path.substr(0, slash + 1);
}

std::string ContentDir(const std::string& name) {
  const std::string pack = GetProgramDir();
  if (!g_game_dir.empty() && g_game_dir != pack &&
      platform::IsRegularFile(FindFile(g_game_dir, name)))
    return g_game_dir;
  return pack;
}

std::string ContentPath(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}
