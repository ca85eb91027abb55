#include "shell/record_target.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "platform/record/record.h"

namespace fs = std::filesystem;

namespace {

fs::path Resolved(const std::string& path) {
  std::error_code error;
  const fs::path resolved = fs::weakly_canonical(fs::absolute(path, error), error);
  return error ? fs::path(path) : resolved;
}

bool Inside(const fs::path& file, const fs::path& folder) {
  const auto [end, rest] = std::mismatch(folder.begin(), folder.end(), file.begin(), file.end());
  return end == folder.end();
}

}  // namespace

std::string RecordTargetRefusal(const std::string& path, const Folders& folders) {
  const fs::path target = Resolved(path);
  if (target == Resolved(folders.config_file)) return "it is the game's config.ini";
  if (target == Resolved(folders.save_file) || target == Resolved(folders.ranking_file))
    return "it is the game's save.dat";
  // Start-up deletes DEBUG.TXT; saving the ranking replaces and removes the other two.
  for (const std::string& file :
       {folders.debug_file, folders.save_file + ".tmp", folders.save_file + ".lock"})
    if (target == Resolved(file))
      return "it is the game's " + fs::path(file).filename().string() +
             ", which the game deletes or overwrites";
  for (const std::string& content : {folders.game + "data", folders.pack + "img",
                                     folders.pack + "sound", folders.pack + "Music"})
    if (Inside(target, Resolved(content))) return "it lies in the game's content folder " + content;
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return "";
  if (!S_ISREG(st.st_mode)) return "it exists and is not a regular file";
  if (!platform::HoldsRecord(path)) return "it exists and is not a Lantern Drift record";
  return "";
}
