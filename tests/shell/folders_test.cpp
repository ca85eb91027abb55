// The folder rule: which pack, which game folder, and where config.ini and
// save.dat go, from the current folder, the program's folder, an installed
// pack and the XDG variables. Each case runs in a child as an unprivileged
// user, so folders and files it may not write count as they would for a player.
#include "shell/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "support/headless_test.h"

namespace {

namespace fs = std::filesystem;

class FoldersTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    root = fs::canonical(MakeTempDir()).string() + "/";
    ASSERT_EQ(chmod(root.c_str(), 0755), 0);
    for (const char* game : {"cur", "prog", "inst/share/lantern-drift", "closed", "keep", "locked",
                             "open/share/lantern-drift", "kept/share/lantern-drift"}) {
      fs::create_directories(root + game + "/data");
      std::ofstream(root + game + "/data/game.dat") << "MAX_STAGE:1\n";
    }
    for (const char* open : {"empty", "inst/bin", "open/bin", "kept/bin", "home", "xdg"})
      fs::create_directories(root + open);
    std::ofstream(root + "keep/config.ini") << "FPS=1\n";
    std::ofstream(root + "locked/save.dat") << "qorvane";
    for (const char* file :
         {"kept/share/lantern-drift/config.ini", "kept/share/lantern-drift/save.dat"})
      std::ofstream(root + file) << "qorvane";
    // Installed packs the player could write, as root can any: the game still must not.
    for (const char* dir : {"cur", "prog", "empty", "home", "xdg", "locked",
                            "open/share/lantern-drift", "kept/share/lantern-drift"})
      ASSERT_EQ(chmod((root + dir).c_str(), 0777), 0);
    for (const char* file :
         {"kept/share/lantern-drift/config.ini", "kept/share/lantern-drift/save.dat"})
      ASSERT_EQ(chmod((root + file).c_str(), 0666), 0);
    ASSERT_EQ(chmod((root + "locked/save.dat").c_str(), 0444), 0);
    for (const char* dir : kClosed) ASSERT_EQ(chmod((root + dir).c_str(), 0555), 0);
  }
  void TearDown() override {
    for (const char* dir : kClosed) chmod((root + dir).c_str(), 0755);
    HeadlessTest::TearDown();
  }

  static constexpr const char* kHomeSave = "home/.local/share/lantern-drift/save.dat";
  static constexpr const char* kHomeConfig = "home/.config/lantern-drift/config.ini";
  static constexpr const char* kClosed[] = {"closed", "keep", "inst/share/lantern-drift"};

  std::string root;
};

TEST_F(FoldersTest, PackGameFolderAndPlayerFilesFollowTheRule) {
  // Paths under the test's folder; '@' marks an XDG value given absolute.
  // ranking: save.dat as read at start, when not save.
  struct Case {
    const char *name, *current, *program, *xdg_config, *xdg_data, *pack, *game, *config, *save,
        *ranking = nullptr;
  } cases[] = {
      {"the current folder's game, the program's pack", "cur", "prog", nullptr, nullptr, "prog/",
       "cur/", "cur/config.ini", "cur/save.dat"},
      {"no game here: the program's", "empty", "prog", nullptr, nullptr, "prog/", "prog/",
       "prog/config.ini", "prog/save.dat"},
      {"no game here: the installed pack", "empty", "inst/bin", nullptr, nullptr,
       "inst/share/lantern-drift/", "inst/share/lantern-drift/",
       "home/.config/lantern-drift/config.ini", kHomeSave},
      {"the current folder's game, the installed pack", "cur", "inst/bin", nullptr, nullptr,
       "inst/share/lantern-drift/", "cur/", "cur/config.ini", "cur/save.dat"},
      {"a closed game folder: absolute XDG folders", "closed", "prog", "@xdg/c", "@xdg/d", "prog/",
       "closed/", "xdg/c/lantern-drift/config.ini", "xdg/d/lantern-drift/save.dat"},
      {"a closed game folder: relative XDG values count as unset", "closed", "prog", "xdg/c",
       "xdg/d", "prog/", "closed/", "home/.config/lantern-drift/config.ini", kHomeSave},
      {"a readable config.ini stays in a closed folder", "keep", "prog", nullptr, nullptr, "prog/",
       "keep/", "keep/config.ini", kHomeSave},
      {"a save.dat the player cannot write moves out", "locked", "prog", nullptr, nullptr, "prog/",
       "locked/", "locked/config.ini", kHomeSave, "locked/save.dat"},
      {"an installed pack the player may write is not written", "empty", "open/bin", nullptr,
       nullptr, "open/share/lantern-drift/", "open/share/lantern-drift/", kHomeConfig, kHomeSave},
      {"nor when it is the current folder", "open/share/lantern-drift", "open/bin", nullptr,
       nullptr, "open/share/lantern-drift/", "open/share/lantern-drift/", kHomeConfig, kHomeSave},
      {"an installed pack's config.ini and save.dat are read there", "empty", "kept/bin", nullptr,
       nullptr, "kept/share/lantern-drift/", "kept/share/lantern-drift/",
       "kept/share/lantern-drift/config.ini", kHomeSave, "kept/share/lantern-drift/save.dat"},
  };
  const auto in_root = [&](const char* value) {
    return value[0] == '@' ? root + (value + 1) : std::string(value);
  };
  for (const Case& c : cases) {
    const int rc = RunInChild([&] {
      if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 2;
      setenv("HOME", (root + "home").c_str(), 1);
      for (auto [variable, value] :
           {std::pair{"XDG_CONFIG_HOME", c.xdg_config}, {"XDG_DATA_HOME", c.xdg_data}})
        value != nullptr ? setenv(variable, in_root(value).c_str(), 1) : unsetenv(variable);
      const Folders f = FindFolders(root + c.current, root + c.program);
      const Folders want{root + c.pack, root + c.game, root + c.config, root + c.save,
                         root + (c.ranking != nullptr ? c.ranking : c.save)};
      // Deciding makes no folder (--help, --check); a game that runs makes them.
      std::vector<fs::path> xdg;
      for (const fs::path file : {f.config_file, f.save_file})
        if (file.parent_path() != fs::path(root + c.game).parent_path())
          xdg.push_back(file.parent_path());
      const auto there = [](const fs::path& dir) { return fs::exists(dir); };
      const bool made_early = std::ranges::any_of(xdg, there);
      SettleFolders(f);
      const bool made = std::ranges::all_of(xdg, there);
      for (const fs::path& dir : xdg) fs::remove_all(dir);
      if (f.pack == want.pack && f.game == want.game && f.config_file == want.config_file &&
          f.save_file == want.save_file && f.ranking_file == want.ranking_file && !made_early &&
          made)
        return 0;
      std::fprintf(stderr, "%s:\n  pack %s\n  game %s\n  config %s\n  save %s\n  ranking %s\n",
                   c.name, f.pack.c_str(), f.game.c_str(), f.config_file.c_str(),
                   f.save_file.c_str(), f.ranking_file.c_str());
      return 1;
    });
    EXPECT_EQ(rc, 0) << c.name;
  }
}

}  // namespace
