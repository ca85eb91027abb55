#include "shell/config.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "library/system/line_reader.h"
#include "library/system/text_values.h"
#include "platform/file_writer.h"

namespace {

// Written in UTF-8 with LF line ends, so any editor shows the comments; the
// readers skip comments, so an older Shift-JIS CR LF file reads the same. Our
// own keys follow the first ten lines: an older reader passes over them.
constexpr const char* kDefaultLines[] = {
    "; 設定ファイル",
    "",
    "; ウィンドウモード設定",
    "; ０:ウィンドウモード  ０以外:フルスクリーンモード",
    "FULL_SCREEN=1",
    "",
    "; FPS表示",
    "; ０:表示なし  ０以外:表示する",
    "FPS=0",
    "",
    "; FULL_SCREEN: 0 plays in a window, anything else full screen.",
    "; FPS: 0 hides the frame rate, anything else shows it.",
    "",
    "; TOPMOST: 1 keeps the window above all others, 0 makes it a window like any other.",
    "TOPMOST=0",
    "",
    "; SCALE: whole shows the picture at the largest whole multiple that fits (sharp",
    "; pixels); fit stretches that smoothly to fill the screen, keeping its shape.",
    "SCALE=whole",
    "",
    "; Music and sound effect volumes, 0 (silent) to 100.",
    "MUSIC_VOLUME=100",
    "SOUND_VOLUME=100",
    "",
};

std::string DefaultText() {
  std::string text;
  for (const char* line : kDefaultLines) text += std::string(line) + "\n";
  return text;
}

// Only a missing file is created: one that exists, whatever it is, is the player's.
void WriteDefault(const std::string& file) {
  const std::string text = DefaultText();
  std::string why;
  if (!platform::CreateNewFile(file, text, &why))
    std::fprintf(stderr, "lantern-drift: cannot write %s (%s); using the default settings\n",
                 file.c_str(), why.c_str());
}

bool StartsWith(const std::string& line, const char* key, std::string& value) {
  const std::string k(key);
  if (line.compare(0, k.size(), k) != 0) return false;
  value = line.substr(k.size());
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// An editor that saves UTF-8 may put a byte order mark before the first line.
std::string_view WithoutBom(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  return bytes;
}

}  // namespace

Config ReadConfig(std::string_view bytes) {
  Config config;
  LineReader reader(WithoutBom(bytes));
  std::string line, value;
  while (reader.Next(line)) {
    if (!line.empty() && line[0] == ';') continue;
    UpperAscii(line);
    if (StartsWith(line, "FULL_SCREEN=", value) && ToInt(value) == 0) config.full_screen = 0;
    if (StartsWith(line, "FPS=", value) && ToInt(value) != 0) config.fps = 1;
    if (StartsWith(line, "MUSIC_VOLUME=", value))
      config.music_volume = std::clamp(ToInt(value), 0, 100);
    if (StartsWith(line, "SOUND_VOLUME=", value))
      config.sound_volume = std::clamp(ToInt(value), 0, 100);
    if (StartsWith(line, "PRESENT=", value)) config.present = platform::PresentPathNamed(value);
    if (StartsWith(line, "TOPMOST=", value)) config.topmost = ToInt(value) != 0 ? 1 : 0;
    if (StartsWith(line, "SCALE=", value))
      config.scale =
          Trimmed(value) == "FIT" ? platform::ScaleMode::kFit : platform::ScaleMode::kWhole;
  }
  return config;
}

Config LoadConfig(const std::string& file) {
  std::string why;
  const std::optional<std::string> bytes = ReadWholeFile(file, &why);
  if (bytes) return ReadConfig(*bytes);
  if (access(file.c_str(), F_OK) != 0 && errno == ENOENT) {
    WriteDefault(file);
    return ReadConfig(DefaultText());
  }
  std::fprintf(stderr, "lantern-drift: cannot read %s (%s); using the default settings\n",
               file.c_str(), why.c_str());
  return Config();
}
