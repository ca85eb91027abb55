#include "frontend/stage_progress.h"

#include <cstdio>
#include <filesystem>

#include "frontend/save_file.h"
#include "library/system/line_reader.h"
#include "platform/file_writer.h"

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
  const std::string file = ProgressFile();
  std::string why;
  if (!platform::ReplaceFile(file, ProgressBytes(reached), &why))
    std::fprintf(stderr, "lantern-drift: cannot write %s (%s); the stages reached are not saved\n",
                 file.c_str(), why.c_str());
}
