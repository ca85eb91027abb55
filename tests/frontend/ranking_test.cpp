#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "frontend/save_file.h"
#include "shell/folders.h"
#include "support/headless_test.h"
#include "support/test_bytes.h"

namespace {

class RankingTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    MakeTempDir();
  }
  static void Set(Scores scores) {
    for (size_t i = 0; i < 5; ++i) g_ranking[i] = scores[i];
  }
  static Scores Top() {
    return {g_ranking[0], g_ranking[1], g_ranking[2], g_ranking[3], g_ranking[4]};
  }
  static Scores OnDisk(const std::string& file) {
    g_ranking.fill(0);
    ReadSaveFile(file);
    return Top();
  }
  // Another copy of the game, started from this one's state, that runs body
  // once the returned descriptor is written to.
  static pid_t OtherCopy(const std::function<void()>& body, int& go) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
      char c;
      if (read(fds[0], &c, 1) != 1) _exit(1);
      body();
      _exit(0);
    }
    go = fds[1];
    return pid;
  }
  static int Wait(pid_t pid) {
    int status = -1;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

TEST_F(RankingTest, ScoresSurviveAWriteAndARead) {
  Set({123456789, 70000, -5, 256, 1});
  ASSERT_TRUE(WriteSaveFile());
  const std::string bytes = test_bytes::ReadFile("save.dat");
  ASSERT_EQ(bytes.size(), 27u);
  EXPECT_EQ(bytes.substr(7, 4), std::string("\x15\xCD\x5B\x07", 4));  // little-endian 123456789
  EXPECT_EQ(bytes.substr(15, 4), std::string("\xFB\xFF\xFF\xFF", 4));
  EXPECT_EQ(OnDisk("save.dat"), (Scores{123456789, 70000, -5, 256, 1}));
}

TEST_F(RankingTest, ForeignFilesAreIgnoredShortOnesGiveTheScoresTheyHold) {
  const std::pair<std::string, Scores> cases[] = {
      {std::string("brisel") + std::string(21, '\1'), {5, 4, 3, 2, 1}},
      {"qorvane\1\2", {5, 4, 3, 2, 1}},
      {std::string("qorvane\x07\0\0\0\x09\0\0\0\x03", 16), {7, 9, 3, 2, 1}}};
  for (const auto& [bytes, top] : cases) {
    std::ofstream("save.dat", std::ios::binary) << bytes;
    Set({5, 4, 3, 2, 1});
    ReadSaveFile("save.dat");
    EXPECT_EQ(Top(), top);
    EXPECT_EQ(test_bytes::ReadFile("save.dat"), bytes);
  }
}

TEST_F(RankingTest, InsertionCarriesTheScoreToItsPlace) {
  Set({1000, 800, 600, 400, 200});
  for (const auto& [score, top] : {std::pair{500, Scores{1000, 800, 600, 500, 400}},
                                   {600, {1000, 800, 600, 600, 500}},
                                   {100, {1000, 800, 600, 600, 500}},
                                   {5000, {5000, 1000, 800, 600, 600}}}) {
    InsertScore(score);
    EXPECT_EQ(Top(), top) << score;
  }
  // Every change is saved at once.
  EXPECT_EQ(OnDisk("save.dat"), (Scores{5000, 1000, 800, 600, 600}));
}

// The writer runs as nobody on files that root set up: a closed folder with an
// open save.dat, a save.dat of another owner, an own one of mode 0600, a link.
TEST_F(RankingTest, WritesKeepTheFileItsOwnerItsModeAndItsLink) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to give the files to another user";
  ASSERT_EQ(chmod(".", 0711), 0);
  struct Case {
    const char* dir;
    mode_t dir_mode, mode;
    uid_t owner;
    bool link;
  };
  for (const Case& c :
       {Case{"shared", 0555, 0666, 0, false}, Case{"foreign", 0777, 0666, 0, false},
        Case{"own", 0777, 0600, 65534, false}, Case{"link", 0777, 0640, 65534, true}}) {
    const std::string dir = std::string(c.dir) + "/",
                      file = dir + (c.link ? "real.dat" : "save.dat");
    std::filesystem::create_directory(dir);
    std::ofstream(file) << "old";
    ASSERT_EQ(chown(file.c_str(), c.owner, c.owner), 0);
    ASSERT_EQ(chmod(file.c_str(), c.mode), 0);
    if (c.link) std::filesystem::create_symlink("real.dat", dir + "save.dat");
    ASSERT_EQ(chmod(dir.c_str(), c.dir_mode), 0);
    ResetRanking();  // writes go to ./save.dat again
    Set({9, 8, 7, 6, 5});
    EXPECT_EQ(RunInChild([&] {
                return setgid(65534) == 0 && setuid(65534) == 0 && chdir(c.dir) == 0 &&
                               WriteSaveFile()
                           ? 0
                           : 1;
              }),
              0)
        << c.dir;
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(
        std::tuple(st.st_uid, st.st_mode & 07777, std::filesystem::is_symlink(dir + "save.dat")),
        std::tuple(c.owner, c.mode, c.link))
        << c.dir;
    EXPECT_EQ(OnDisk(dir + "save.dat"), (Scores{9, 8, 7, 6, 5})) << c.dir;
  }
}

// save.dat is a link in game/, read from the folder above: a relative target
// counts from the link's own folder, never from the current one.
TEST_F(RankingTest, WritesGoThroughALinkFromAnotherFolder) {
  namespace fs = std::filesystem;
  const std::string root = fs::current_path().string() + "/";
  for (const char* target : {"store/real.dat", "../game/store/real.dat", "@game/store/real.dat"}) {
    SCOPED_TRACE(target);
    for (const char* dir : {"game", "store"}) fs::remove_all(dir);
    fs::create_directories("game/store");
    fs::create_directory("store");
    std::ofstream("store/real.dat") << "decoy";
    fs::create_symlink(target[0] == '@' ? root + (target + 1) : target, "game/save.dat");
    ReadSaveFile("game/save.dat");
    InsertScore(4321);
    EXPECT_TRUE(fs::is_symlink("game/save.dat"));
    EXPECT_EQ(test_bytes::ReadFile("store/real.dat"), "decoy");
    EXPECT_EQ(OnDisk("game/store/real.dat"), (Scores{4321, 0, 0, 0, 0}));
  }
}

// Two copies on one save.dat, each from the ranking it read at start: the one
// that saves later keeps what the other saved, equal scores included.
TEST_F(RankingTest, TwoCopiesKeepEachOthersScores) {
  ReadSaveFile("save.dat");
  int go = -1;
  const pid_t other = OtherCopy([] { InsertScore(700), InsertScore(500); }, go);
  ASSERT_GT(other, 0);
  InsertScore(500);
  ASSERT_EQ(write(go, "x", 1), 1);
  ASSERT_EQ(Wait(other), 0);
  InsertScore(100);
  EXPECT_EQ(Top(), (Scores{700, 500, 500, 100, 0}));
  EXPECT_EQ(OnDisk("save.dat"), (Scores{700, 500, 500, 100, 0}));
}

TEST_F(RankingTest, CopiesSavingAtOnceLoseNothing) {
  ReadSaveFile("save.dat");
  std::vector<std::pair<pid_t, int>> copies;
  for (int c = 0; c < 4; ++c) {
    int go = -1;
    const pid_t pid = OtherCopy(
        [c] {
          for (int i = 0; i < 30; ++i) InsertScore(4 * i + c + 1);
        },
        go);
    ASSERT_GT(pid, 0);
    copies.emplace_back(pid, go);
  }
  for (auto [pid, go] : copies) ASSERT_EQ(write(go, "x", 1), 1);
  for (auto [pid, go] : copies) EXPECT_EQ(Wait(pid), 0);
  EXPECT_EQ(OnDisk("save.dat"), (Scores{120, 119, 118, 117, 116}));
}

// In place, where no temporary file can be made: one write over the old bytes,
// then the file cut to its length. A write refused as on a full disk leaves the
// old file whole.
TEST_F(RankingTest, InPlaceWriteLeavesTheOldOrTheNewScores) {
  std::filesystem::create_directory("save.dat.tmp");
  const std::string old = std::string("qorvane\5\0\0\0\4\0\0\0\3\0\0\0\2\0\0\0\1\0\0\0", 27);
  std::ofstream("save.dat", std::ios::binary) << old << "and more";
  ReadSaveFile("save.dat");
  EXPECT_EQ(RunInChild([] {
              const rlimit no_bytes{0, 0};
              std::signal(SIGXFSZ, SIG_IGN);
              g_ranking[0] = 9;
              return setrlimit(RLIMIT_FSIZE, &no_bytes) == 0 && !WriteSaveFile() ? 0 : 1;
            }),
            0);
  EXPECT_EQ(test_bytes::ReadFile("save.dat"), old + "and more");
  InsertScore(9);
  EXPECT_EQ(test_bytes::ReadFile("save.dat").size(), 27u);
  EXPECT_EQ(OnDisk("save.dat"), (Scores{9, 5, 4, 3, 2}));
}

TEST_F(RankingTest, TemporaryFileIsNeverWrittenThroughALink) {
  std::ofstream("precious") << "keep me";
  ASSERT_EQ(link("precious", "save.dat.tmp"), 0);
  InsertScore(5);
  EXPECT_EQ(test_bytes::ReadFile("precious"), "keep me");
  EXPECT_EQ(OnDisk("save.dat"), (Scores{5, 0, 0, 0, 0}));
}

// A save.dat that is there but cannot be read may hold scores: it is never
// replaced, and the game neither waits on it nor stops.
TEST_F(RankingTest, SaveFilesThatCannotBeReadAreLeftAlone) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to give the files to another user";
  ASSERT_EQ(chmod(".", 0777), 0);
  const std::string scores("qorvane\7\0\0\0", 11);
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"write-only",
       [&] {
         std::ofstream("write-only/save.dat") << scores;
         ASSERT_EQ(chown("write-only/save.dat", 65534, 65534), 0);
         ASSERT_EQ(chmod("write-only/save.dat", 0200), 0);
       }},
      {"loop", [] { std::filesystem::create_symlink("save.dat", "loop/save.dat"); }},
      {"fifo", [] { ASSERT_EQ(mkfifo("fifo/save.dat", 0666), 0); }},
      {"folder", [] { std::filesystem::create_directory("folder/save.dat"); }},
  };
  for (const auto& [name, make] : cases) {
    std::filesystem::create_directory(name);
    ASSERT_EQ(chmod(name, 0777), 0);
    make();
    struct stat before {};
    ASSERT_EQ(lstat((std::string(name) + "/save.dat").c_str(), &before), 0);
    // As nobody, whom the mode binds; the alarm only ends a copy that hangs.
    EXPECT_EQ(RunInChild([&] {
                alarm(60);
                if (setgid(65534) != 0 || setuid(65534) != 0 || chdir(name) != 0) return 2;
                ReadSaveFile("save.dat");
                InsertScore(100);
                return WriteSaveFile() ? 4 : 0;
              }),
              0)
        << name;
    struct stat after {};
    ASSERT_EQ(lstat((std::string(name) + "/save.dat").c_str(), &after), 0) << name;
    EXPECT_EQ(std::tie(after.st_ino, after.st_size), std::tie(before.st_ino, before.st_size))
        << name;
  }
  EXPECT_EQ(test_bytes::ReadFile("write-only/save.dat"), scores);
}

// A shared save.dat the player may read but not write: its scores are shown,
// new ones go to the player's data folder, and one line says so.
TEST_F(RankingTest, ReadOnlySaveIsShownAndNewScoresGoToTheDataFolder) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to give the files to another user";
  const std::string here = std::filesystem::current_path().string() + "/";
  ASSERT_EQ(chmod(".", 0711), 0);
  std::filesystem::create_directories("game/data");
  std::ofstream("game/data/game.dat") << "#MAX_STAGE:1\n";
  const std::string shared = std::string("qorvane\x84\3\0\0\x20\3\0\0", 15) + std::string(12, '\0');
  std::ofstream("game/save.dat", std::ios::binary) << shared;
  std::filesystem::create_directory("home");
  for (const char* path : {"game", "game/save.dat", "home"})
    ASSERT_EQ(chown(path, 65534, 65534), 0);
  ASSERT_EQ(chmod("game/save.dat", 0444), 0);
  std::ofstream("said");
  ASSERT_EQ(chmod("said", 0666), 0);
  EXPECT_EQ(RunInChild([&] {
              if (setgid(65534) != 0 || setuid(65534) != 0 || !freopen("said", "w", stderr))
                return 2;
              setenv("XDG_DATA_HOME", (here + "home").c_str(), 1);
              const Folders f = FindFolders(here + "game", here + "game");
              if (f.ranking_file != here + "game/save.dat" ||
                  f.save_file != here + "home/lantern-drift/save.dat")
                return 3;
              SettleFolders(f);
              ReadSaveFile(f.save_file, f.ranking_file);
              if (Top() != Scores{900, 800, 0, 0, 0}) return 4;
              InsertScore(850);
              return std::fflush(stderr);
            }),
            0);
  EXPECT_EQ(test_bytes::ReadFile("game/save.dat"), shared);
  EXPECT_EQ(OnDisk("home/lantern-drift/save.dat"), (Scores{900, 850, 800, 0, 0}));
  EXPECT_EQ(test_bytes::ReadFile("said"), "lantern-drift: " + here +
                                              "game/save.dat cannot be written; new scores go to " +
                                              here + "home/lantern-drift/save.dat\n");
}

}  // namespace
