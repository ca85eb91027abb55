#include "shell/folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "content/manifest.h"
#include "frontend/save_file.h"
#include "library/system/file_lookup.h"

namespace fs = std::filesystem;

namespace {

const Folders kStartFolders{"", "", "config.ini", "save.dat", "save.dat", "DEBUG.TXT"};
Folders g_folders = kStartFolders;

std::string WithSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

bool HoldsGame(const std::string& dir) {
  std::error_code error;
  return fs::is_regular_file(FindFile(dir, manifest::kGameDat), error);
}

std::string Normal(const std::string& dir) {
  std::error_code error;
  const fs::path path = fs::weakly_canonical(dir, error);
  return WithSlash(error ? dir : path.string());
}

std::string Home() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') return home;
  if (const passwd* pw = getpwuid(getuid()); pw != nullptr && pw->pw_dir != nullptr)
    return pw->pw_dir;
  return "/tmp";
}

// $variable when it names an absolute folder, else fallback under the home folder.
std::string XdgFolder(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  const std::string base = value != nullptr && value[0] == '/' ? value : Home() + "/" + fallback;
  return WithSlash(base) + "lantern-drift/";
}

// Whether something is there, even a link that cannot be followed.
bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0 || errno != ENOENT; }

// The game folder's file when the player may use it there (read for
// config.ini, read and write for save.dat) or may create it there; else the
// XDG one. In the installed pack a file is only read: nothing is created or
// written there, whoever runs the game.
std::string PlayerFile(const std::string& game, const char* name, int use, const std::string& xdg,
                       bool installed) {
  const std::string here = game + name;
  const bool usable = Exists(here) ? access(here.c_str(), use) == 0 && !(installed && use & W_OK)
                                   : !installed && access(game.c_str(), W_OK | X_OK) == 0;
  return usable ? here : xdg + name;
}

}  // namespace

Folders FindFolders(const std::string& current_dir, const std::string& program_dir) {
  Folders f;
  const bool own_pack = HoldsGame(program_dir);
  f.pack =
      own_pack ? WithSlash(program_dir) : Normal(WithSlash(program_dir) + "../share/lantern-drift");
  f.game = HoldsGame(current_dir) ? WithSlash(current_dir) : f.pack;
  const bool installed = !own_pack && Normal(f.game) == f.pack;
  const std::string xdg_data = XdgFolder("XDG_DATA_HOME", ".local/share");
  f.config_file =
      PlayerFile(f.game, "config.ini", R_OK, XdgFolder("XDG_CONFIG_HOME", ".config"), installed);
  f.save_file = PlayerFile(f.game, "save.dat", R_OK | W_OK, xdg_data, installed);
  const std::string here = f.game + "save.dat";
  // A save.dat that holds something else is the player's, never replaced.
  if (f.save_file == here && !IsOwnSaveFile(here)) f.save_file = xdg_data + "save.dat";
  // The ranking a player keeps elsewhere wins over the one the game folder shows.
  f.ranking_file = Exists(f.save_file) || !Exists(here) ? f.save_file : here;
  f.debug_file = (installed ? xdg_data : f.game) + "DEBUG.TXT";
  return f;
}

const Folders& CurrentFolders() { return g_folders; }

Folders FindFoldersHere() {
  std::error_code cwd_error, exe_error;
  const fs::path current = fs::current_path(cwd_error);
  const fs::path program = fs::read_symlink("/proc/self/exe", exe_error);
  return FindFolders(cwd_error ? "./" : current.string(),
                     exe_error ? "./" : program.parent_path().string());
}

void SettleFolders(const Folders& folders) {
  g_folders = folders;
  // Only a game that runs makes the XDG folders: --help and --check leave no trace.
  std::error_code error;
  for (const std::string& file : {folders.config_file, folders.save_file})
    fs::create_directories(fs::path(file).parent_path(), error);
  UsePackDir(g_folders.pack);
  UseGameDir(g_folders.game);
  if (chdir(g_folders.game.c_str()) != 0)
    std::fprintf(stderr, "lantern-drift: cannot enter %s; staying in the current folder\n",
                 g_folders.game.c_str());
}

void ResetFolders() { g_folders = kStartFolders; }
