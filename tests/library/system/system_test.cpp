// Wait slots, file lookup and key polling.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <utility>

#include "library/input/input.h"
#include "library/system/el_system.h"
#include "library/system/file_lookup.h"
#include "platform/file_bytes.h"
#include "support/headless_test.h"

namespace {

using WaitSlotTest = HeadlessTest;

TEST_F(WaitSlotTest, DeadlinesOnTheWrappingClock) {
  hp.now = 5000;
  g_system.SetWait(3, 0);
  EXPECT_EQ(g_system.CheckWait(3), 0);
  hp.now = 5001;
  EXPECT_EQ(g_system.CheckWait(3), 1);

  hp.now = 4294967000u;
  EXPECT_EQ(g_system.SetWait(10, 1000), 1);
  EXPECT_EQ(g_system.Deadline(10), 704u);
  hp.now = 4294967100u;
  EXPECT_EQ(g_system.CheckWait(10), 1);

  hp.now = 1000;
  g_system.SetWait(1, 100);
  g_system.SetWait(1, 5000);  // re-arming replaces the deadline
  hp.now = 1200;
  EXPECT_EQ(g_system.CheckWait(1), 0);
}

TEST_F(WaitSlotTest, SlotsOutsideTheTableAreRefused) {
  g_system.ResetWaits();
  EXPECT_EQ(g_system.SetWait(0, 100), 0);
  EXPECT_EQ(g_system.SetWait(11, 100), 0);
  EXPECT_EQ(g_system.InitWait(-1), 0);
  ASSERT_EQ(hp.boxes.size(), 3u);
  EXPECT_EQ(hp.boxes[0].text, "elSystem::SetWait : ウェイトNoが範囲外です");
  EXPECT_EQ(hp.boxes[2].text, "elSystem::InitWait : ウェイトNoが範囲外です");
  for (int slot = 1; slot <= 10; ++slot) EXPECT_EQ(g_system.Deadline(slot), elSystem::kDisarmed);
  hp.now = 2000000000u;
  EXPECT_EQ(g_system.CheckWait(0), 0);
  EXPECT_EQ(g_system.CheckWait(11), 0);
}

using InputTest = HeadlessTest;

TEST_F(InputTest, KeyStateFollowsPressAndRelease) {
  hp.HoldKey(10, platform::VK_SPACE, 20);  // down from 10 to 29
  int state = 0;
  for (const auto& [at, expected] : {std::pair{10u, 1}, {20u, 3}, {30u, 2}, {40u, 0}}) {
    hp.now = at;
    KeyState(platform::VK_SPACE, state);
    EXPECT_EQ(state, expected) << "poll at " << at;
  }
  state = 2;
  hp.now = 15;
  KeyState(platform::VK_SPACE, state);
  EXPECT_EQ(state, 3);
}

// A content name takes the entry of its own spelling when there is one, else
// any spelling; backslashes part folders; a missing name stays as asked.
using FileLookupTest = HeadlessTest;

TEST_F(FileLookupTest, ExactNameFirstThenAnyCase) {
  const std::string dir = MakeTempDir();
  std::filesystem::create_directory("Img");
  for (const char* name : {"Same.bmp", "same.bmp", "SAME.BMP"})
    std::ofstream(std::string("Img/") + name) << name;
  for (const auto& [asked, found] : {std::pair{"img\\same.bmp", "Img/same.bmp"},
                                     {"IMG/SAME.BMP", "Img/SAME.BMP"},
                                     {"img\\Same.bmp", "Img/Same.bmp"},
                                     {"img\\none.bmp", "Img/none.bmp"}})
    EXPECT_EQ(FindFile(dir, asked), dir + found) << asked;
}

// Pictures, sounds and music: the game folder's file, in any spelling, when it
// holds one; else the pack's, also for a folder that stands where a file should.
TEST_F(FileLookupTest, GameFolderFirstThenPack) {
  const std::string dir = MakeTempDir();
  for (const char* file :
       {"game/img/Bg_Mod.bmp", "pack/img/bg_mod.bmp", "pack/img/title.bmp", "pack/sound/ok.wav"}) {
    std::filesystem::create_directories(std::filesystem::path(dir + file).parent_path());
    std::ofstream(dir + file) << file;
  }
  std::filesystem::create_directories(dir + "game/sound/ok.wav");
  UsePackDir(dir + "pack/");
  struct Case {
    const char *game, *asked, *found;
  } cases[] = {
      {"game/", "IMG\\BG_MOD.BMP", "game/img/Bg_Mod.bmp"},
      {"game/", "img\\title.bmp", "pack/img/title.bmp"},
      {"game/", "sound\\ok.wav", "pack/sound/ok.wav"},
      {"", "img\\bg_mod.bmp", "pack/img/bg_mod.bmp"},
  };
  for (const Case& c : cases) {
    UseGameDir(c.game[0] != '\0' ? dir + c.game : "");
    EXPECT_EQ(ProgramFile(c.asked), dir + c.found) << c.game << c.asked;
  }
}

// Outside files are read up to their limit, and only when they are regular files.
TEST_F(FileLookupTest, FilesAreReadUpToTheirLimit) {
  MakeTempDir();
  std::ofstream("ten") << "0123456789";
  std::ofstream("eleven") << "0123456789A";
  std::filesystem::create_directory("folder");
  ASSERT_EQ(mkfifo("pipe", 0600), 0);
  for (const auto& [name, why] : {std::pair{"ten", ""},
                                  {"eleven", "larger than 10 bytes"},
                                  {"folder", "a folder, not a file"},
                                  {"pipe", "not a regular file"},
                                  {"none", "no such file"}}) {
    std::string said;
    const std::optional<std::string> bytes = platform::ReadRegularFile(name, 10, &said);
    EXPECT_EQ(bytes.has_value() ? "" : said, std::string(why)) << name;
  }
}

}  // namespace
