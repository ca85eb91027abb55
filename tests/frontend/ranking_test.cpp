#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "frontend/save_file.h"
#include "platform/fd.h"
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
  static int Wait(pid_t pid) {
    int status = -1;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

TEST(ScoresInTest, OnlyTheMagicOpensARankingAndACutOneKeepsTheRest) {
  const Scores before{5, 4, 3, 2, 1};
  const std::pair<std::string, std::optional<Scores>> cases[] = {
      {"qorvan", std::nullopt},
      {"Qorvane" + std::string(20, '\0'), std::nullopt},
      {"qorvane", before},
      {"qorvane\1\2", before},
      {std::string("qorvane\x07\0\0\0\x09\0\0\0\x03", 16), Scores{7, 9, 3, 2, 1}},
      {std::string("qorvane\xFF\xFF\xFF\xFF", 11) + std::string(16, '\0') + "more",
       Scores{-1, 0, 0, 0, 0}},
  };
  for (const auto& [bytes, scores] : cases) EXPECT_EQ(ScoresIn(bytes, before), scores) << bytes;
}

// disk, synced, ours: what the file holds, what this copy last read or wrote
// there, what it holds now.
TEST(MergeRankingTest, KeepsEveryCopysScores) {
  const Scores zero{}, mine{9, 5, 0, 0, 0};
  const struct {
    const char* what;
    std::optional<Scores> disk;
    Scores synced, ours, merged;
  } cases[] = {
      {"no ranking on disk", std::nullopt, {7, 0, 0, 0, 0}, mine, mine},
      {"nobody else wrote", zero, zero, mine, mine},
      {"another added scores", Scores{8, 0, 0, 0, 0}, zero, mine, {9, 8, 5, 0, 0}},
      {"equal scores counted apart", Scores{5, 0, 0, 0, 0}, zero, {5, 0, 0, 0, 0}, {5, 5, 0, 0, 0}},
      {"the file lost what we read",
       Scores{1, 0, 0, 0, 0},
       {6, 4, 0, 0, 0},
       {6, 4, 0, 0, 0},
       {6, 4, 1, 0, 0}},
      {"only the best five",
       Scores{90, 80, 70, 60, 50},
       zero,
       {95, 85, 0, 0, 0},
       {95, 90, 85, 80, 70}},
  };
  for (const auto& c : cases) EXPECT_EQ(MergeRanking(c.disk, c.synced, c.ours), c.merged) << c.what;
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

// The writer runs as nobody on a save.dat that root owns in an open folder: the
// file keeps its owner and mode (modes and links: the file writer's own tests).
TEST_F(RankingTest, WritesKeepAnotherOwnersFile) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to give the files to another user";
  ASSERT_EQ(chmod(".", 0777), 0);
  std::ofstream("save.dat") << "qorvane";
  ASSERT_EQ(chmod("save.dat", 0666), 0);
  Set({9, 8, 7, 6, 5});
  EXPECT_EQ(RunInChild(
                [] { return setgid(65534) == 0 && setuid(65534) == 0 && WriteSaveFile() ? 0 : 1; }),
            0);
  struct stat st {};
  ASSERT_EQ(stat("save.dat", &st), 0);
  EXPECT_EQ(st.st_uid, 0u);
  EXPECT_EQ(st.st_mode & 07777, 0666u);
  EXPECT_EQ(OnDisk("save.dat"), (Scores{9, 8, 7, 6, 5}));
}

// save.dat is a link in game/, read from the folder above: a relative target
// counts from the link's own folder, never from the current one.
TEST_F(RankingTest, WritesGoThroughALinkFromAnotherFolder) {
  namespace fs = std::filesystem;
  fs::create_directories("game/store");
  fs::create_directory("store");
  std::ofstream("store/real.dat") << "decoy";
  fs::create_symlink("store/real.dat", "game/save.dat");
  ReadSaveFile("game/save.dat");
  InsertScore(4321);
  EXPECT_TRUE(fs::is_symlink("game/save.dat"));
  EXPECT_EQ(test_bytes::ReadFile("store/real.dat"), "decoy");
  EXPECT_EQ(OnDisk("game/store/real.dat"), (Scores{4321, 0, 0, 0, 0}));
}

// In place, where no temporary file can be made: the old bytes overwritten and
// the file cut to its length (a refused write: the file writer's tests).
TEST_F(RankingTest, WithNoRoomForATemporaryFileTheSaveIsWrittenInPlace) {
  std::filesystem::create_directory("save.dat.tmp");
  const std::string old = std::string("qorvane\5\0\0\0\4\0\0\0\3\0\0\0\2\0\0\0\1\0\0\0", 27);
  std::ofstream("save.dat", std::ios::binary) << old << "and more";
  ReadSaveFile("save.dat");
  InsertScore(9);
  EXPECT_EQ(test_bytes::ReadFile("save.dat").size(), 27u);
  EXPECT_EQ(OnDisk("save.dat"), (Scores{9, 5, 4, 3, 2}));
}

// A save.dat that is there but cannot be read, or holds what is not a ranking,
// is never replaced, and the game neither waits on it nor stops.
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
      {"fifo", [] { ASSERT_EQ(mkfifo("fifo/save.dat", 0666), 0); }},
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
    EXPECT_EQ(after.st_ino, before.st_ino) << name << ": replaced";
    EXPECT_EQ(after.st_size, before.st_size) << name << ": written";
  }
}

// A shared save.dat the player may not write (which one that is: the folder
// tests): its scores are shown, new ones go to the player's own file, and one
// line says so.
TEST_F(RankingTest, ASharedRankingIsShownAndNewScoresGoToThePlayersFile) {
  const std::string shared = std::string("qorvane\x84\3\0\0\x20\3\0\0", 15) + std::string(12, '\0');
  test_bytes::WriteFile("shared.dat", shared);
  testing::internal::CaptureStderr();
  ReadSaveFile("own.dat", "shared.dat");
  EXPECT_EQ(Top(), (Scores{900, 800, 0, 0, 0}));
  InsertScore(850);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "lantern-drift: shared.dat cannot be written; new scores go to own.dat\n");
  EXPECT_EQ(test_bytes::ReadFile("shared.dat"), shared);
  EXPECT_EQ(OnDisk("own.dat"), (Scores{900, 850, 800, 0, 0}));
}

// The game folder's save.dat links to another program's notes: they stay byte
// for byte, no lock file is made beside them, one line says so and the scores
// go to the player's data folder.
TEST_F(RankingTest, ASaveFileThatIsNotOursIsPassedOverAndKept) {
  namespace fs = std::filesystem;
  const std::string here = fs::current_path().string() + "/";
  fs::create_directories("game/data");
  test_bytes::WriteFile("game/data/game.dat", "#MAX_STAGE:1\n");
  test_bytes::WriteFile("notes/notes.txt", "buy milk\n");
  fs::create_symlink("../notes/notes.txt", "game/save.dat");
  EXPECT_EQ(RunInChild([&] {
              if (!freopen((here + "said").c_str(), "w", stderr)) return 2;
              setenv("XDG_DATA_HOME", (here + "home").c_str(), 1);
              const Folders f = FindFolders(here + "game", here + "game");
              SettleFolders(f);
              ReadSaveFile(f.save_file, f.ranking_file);
              InsertScore(700);
              return std::fflush(stderr);
            }),
            0);
  EXPECT_EQ(test_bytes::ReadFile("notes/notes.txt"), "buy milk\n");
  EXPECT_FALSE(fs::exists("notes/notes.txt.lock"));
  EXPECT_EQ(OnDisk("home/lantern-drift/save.dat"), (Scores{700, 0, 0, 0, 0}));
  EXPECT_EQ(test_bytes::ReadFile("said"),
            "lantern-drift: " + here +
                "game/save.dat holds no ranking of this game; it is left as it is and new scores "
                "go to " +
                here + "home/lantern-drift/save.dat\n");
}

// Eight copies save two scores each at once, a hundred rounds, beside a plain
// save.dat.lock and where no copy can use it: a link (to the very file a save
// replaces), a folder, another user's lock made under umask 077. The folder's
// lock keeps those apart; a lost score shows as a round whose five best are not
// on disk.
TEST_F(RankingTest, EightCopiesLoseNoScoreWhateverStandsAtTheLockFile) {
  namespace fs = std::filesystem;
  const uid_t nobody = 65534, other = 65533;
  const bool root = geteuid() == 0;
  const struct {
    const char* name;
    std::function<void()> make;
    uid_t as;  // the copies' user; 0: this one
  } cases[] = {
      {"plain", [] {}, 0},
      {"link", [] { fs::create_symlink("save.dat", "save.dat.lock"); }, 0},
      {"folder", [] { fs::create_directory("save.dat.lock"); }, 0},
      {"foreign",
       [&] {
         test_bytes::WriteFile("save.dat.lock", "");
         ASSERT_EQ(chown("save.dat.lock", nobody, nobody), 0);
         ASSERT_EQ(chmod("save.dat.lock", 0600), 0);
       },
       other},
  };
  // On tmpfs where there is one: 4,800 flushed saves on a disk take far too long.
  const fs::path base = fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path();
  const std::string back = fs::current_path();
  for (const auto& c : cases) {
    if (c.as != 0 && !root) {
      ADD_FAILURE() << c.name << " needs root to make another user's lock file";
      continue;
    }
    std::string dir = (base / "ld-lock-XXXXXX").string();
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    ASSERT_EQ(chmod(dir.c_str(), 0777), 0);
    ASSERT_EQ(chdir(dir.c_str()), 0);
    c.make();
    test_bytes::WriteFile("save.dat", "qorvane" + std::string(20, '\0'));
    if (c.as != 0) {
      ASSERT_EQ(chown("save.dat", c.as, c.as), 0);
    }
    int lost = 0;
    for (int round = 0; round < 100; ++round) {
      ReadSaveFile("save.dat");
      int gate[2];
      ASSERT_EQ(pipe(gate), 0);
      std::vector<pid_t> copies;
      for (int copy = 0; copy < 8; ++copy) {
        std::fflush(nullptr);
        const pid_t pid = fork();
        if (pid == 0) {
          char go;
          close(gate[1]);
          if (read(gate[0], &go, 1) != 0) _exit(1);
          if (c.as != 0 && (setgid(c.as) != 0 || setuid(c.as) != 0)) _exit(2);
          // Each round's scores beat the last round's; who holds the best turns.
          for (int k = 1; k <= 2; ++k) InsertScore(100 * round + (copy + round) % 8 * 2 + k);
          _exit(0);
        }
        copies.push_back(pid);
      }
      close(gate[0]);
      close(gate[1]);
      for (pid_t pid : copies) ASSERT_EQ(Wait(pid), 0);
      const int best = 100 * round + 16;
      lost += OnDisk("save.dat") != Scores{best, best - 1, best - 2, best - 3, best - 4};
    }
    EXPECT_EQ(lost, 0) << c.name << ": rounds that lost a score";
    ASSERT_EQ(chdir(back.c_str()), 0);
    fs::remove_all(dir);
  }
}

// Another program holds the lock: the save gives up once its wait is over,
// says so and keeps the score, which the next save brings once the lock is
// free. A close (SIGTERM and SIGINT arrive as one) ends the wait at once and
// stays queued for the message loop.
TEST_F(RankingTest, ASaveWaitsForAHeldLockOnlySoLong) {
  using Clock = std::chrono::steady_clock;
  ReadSaveFile("save.dat");
  platform::Fd held(open("save.dat.lock", O_RDONLY | O_CREAT | O_CLOEXEC, 0666));
  ASSERT_EQ(flock(held.get(), LOCK_EX), 0);
  testing::internal::CaptureStderr();
  Clock::time_point start = Clock::now();
  InsertScore(300);
  const auto waited = Clock::now() - start;
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "lantern-drift: save.dat is locked by another program; your score is kept and saved "
            "next time\n");
  EXPECT_GE(waited, std::chrono::seconds(3));
  EXPECT_LT(waited, std::chrono::seconds(4));
  hp.PostMessage({platform::MsgKind::kClose, 0, 0});
  start = Clock::now();
  testing::internal::CaptureStderr();
  InsertScore(200);
  testing::internal::GetCapturedStderr();
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
  platform::Message queued;
  EXPECT_TRUE(hp.PeekMessage(queued));
  EXPECT_EQ(queued.kind, platform::MsgKind::kClose);
  EXPECT_EQ(test_bytes::ReadFile("save.dat"), "qorvane" + std::string(20, '\0'));
  held.Reset(-1);
  ASSERT_TRUE(WriteSaveFile());
  EXPECT_EQ(OnDisk("save.dat"), (Scores{300, 200, 0, 0, 0}));
}

}  // namespace
