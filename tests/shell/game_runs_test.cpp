// Recorded and replayed runs through the shell, headless: what --record will
// not write over, a record cut by a full disk, records that are no records,
// and a replay that leaves the player's folder alone.
#include "shell/game_runs.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/record/record.h"
#include "scenario/scenario_fixture.h"
#include "support/test_bytes.h"

namespace {

class GameRunsTest : public ScenarioTest {
 protected:
  void SetUp() override {
    ScenarioTest::SetUp();
    // A copy of the data files: a run that writes where it should not harms only this one.
    std::filesystem::remove(dir + "data");
    std::filesystem::copy(LD_GAME_DIR "/data", dir + "data");
    folders = FindFolders(dir, LD_GAME_DIR);
  }
  // Records two seconds of the title road into file; the exit code.
  int Record(const std::string& file, int full_screen = -1) {
    hp.stop_at = hp.now + 2000;
    hp.on_frame = [&] { PressEvery(platform::VK_RETURN, 300); };
    return RecordGame(Options{.full_screen = full_screen, .record = file}, folders, hp);
  }
  // Replays file headless; the exit code, with standard error in err.
  int Replay(const std::string& file, int full_screen = -1) {
    testing::internal::CaptureStderr();
    const int code = ReplayGame(
        Options{.full_screen = full_screen, .replay = file, .headless = true}, folders, nullptr);
    err = testing::internal::GetCapturedStderr();
    return code;
  }

  Folders folders;
  std::string err;
};

TEST_F(GameRunsTest, RecordWritesNoFileButANewOneOrARecord) {
  std::ofstream("save.dat", std::ios::binary) << std::string("qorvane") + std::string(20, '\x01');
  std::ofstream("notes.txt") << "mine\n";
  ASSERT_EQ(mkfifo((dir + "pipe").c_str(), 0600), 0);
  ASSERT_EQ(Record(dir + "old.rec"), 0);
  const std::string save = test_bytes::ReadFile("save.dat");
  struct Case {
    std::string file;
    const char* refusal;  // empty: recorded
  } cases[] = {
      {"save.dat", "it is the game's save.dat"},
      {"config.ini", "it is the game's config.ini"},
      {"DEBUG.TXT", "it is the game's DEBUG.TXT, which the game deletes"},
      {"save.dat.tmp", "it is the game's save.dat.tmp"},
      {"save.dat.lock", "it is the game's save.dat.lock"},
      {"data/game.dat", "it lies in the game's content folder"},
      {"notes.txt", "it exists and is not a Lantern Drift record"},
      {"pipe", "it exists and is not a regular file"},
      {"old.rec", ""},
      {"new.rec", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const bool fifo = c.file == "pipe";  // reading it would wait for a writer
    const std::string before = fifo ? "" : test_bytes::ReadFile(c.file);
    testing::internal::CaptureStderr();
    const int code = Record(dir + c.file);
    const std::string said = testing::internal::GetCapturedStderr();
    if (*c.refusal == '\0') {
      EXPECT_EQ(code, 0) << said;
      EXPECT_TRUE(platform::HoldsRecord(dir + c.file));
      continue;
    }
    EXPECT_EQ(code, 2);
    EXPECT_NE(said.find(c.refusal), std::string::npos) << said;
    EXPECT_EQ(fifo ? before : test_bytes::ReadFile(c.file), before);
  }
  EXPECT_EQ(test_bytes::ReadFile("save.dat"), save);
}

// A full disk, as a file-size limit: the record stops short and the run says so.
TEST_F(GameRunsTest, RecordCutByAFullDiskFails) {
  const std::string log = dir + "stderr.txt";
  const int code = RunInChild([&] {
    const rlimit limit{4000, 4000};
    if (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &limit) != 0) return 99;
    if (std::freopen(log.c_str(), "w", stderr) == nullptr) return 98;
    const int recorded = Record(dir + "run.rec");
    std::fflush(stderr);
    return recorded;
  });
  EXPECT_EQ(code, 1);
  EXPECT_NE(test_bytes::ReadFile(log).find("is incomplete"), std::string::npos)
      << test_bytes::ReadFile(log);
}

TEST_F(GameRunsTest, ReplayReadsOnlyRegularFilesOfARecordsSize) {
  ASSERT_EQ(Record(dir + "run.rec"), 0);
  const std::string run = test_bytes::ReadFile("run.rec");
  // Longer than any text file, and still read: refused for what it holds.
  std::ofstream("long.rec", std::ios::binary) << run << std::string(20u << 20, '\0');
  const auto sparse = [](const std::string& file, const std::string& start, size_t size) {
    std::ofstream(file, std::ios::binary) << start;
    std::filesystem::resize_file(file, size);
  };
  const std::string start = run.substr(0, platform::kRecordStartBytes);
  sparse("huge.rec", start, platform::kMaxRecordBytes + 1);
  // Memory for 64 MiB of record at most: a file that is no record is refused by
  // its first bytes, one that is too large for memory by the replay.
  sparse("zeros.rec", "", 100u << 20);
  sparse("large.rec", start, 100u << 20);
  struct Case {
    std::string file;
    std::string says;
  } cases[] = {
      {"/dev/zero", "/dev/zero: not a regular file"},
      {dir, "a folder, not a file"},
      {"huge.rec", "larger than " + std::to_string(platform::kMaxRecordBytes) + " bytes"},
      {"long.rec", "byte " + std::to_string(run.size()) + ": bytes after the end of the run"},
      {"zeros.rec", "zeros.rec: cannot replay: it is damaged (byte 0: not a Lantern Drift record)"},
      {"large.rec", LD_LIMITS_NEW ? "the record is too large to replay" : "damaged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
#if LD_LIMITS_NEW
    g_new_limit = 64u << 20;
#endif
    const int code = Replay(c.file);
#if LD_LIMITS_NEW
    g_new_limit = SIZE_MAX;
#endif
    EXPECT_EQ(code, 1);
    EXPECT_NE(err.find(c.says), std::string::npos) << err;
  }
}

TEST_F(GameRunsTest, ReplayLeavesThePlayersFolderAlone) {
  ASSERT_EQ(Record(dir + "run.rec"), 0);
  std::ofstream("DEBUG.TXT") << "kept\n";
  const std::string save = test_bytes::ReadFile("save.dat");
  EXPECT_EQ(Replay(dir + "run.rec"), 0) << err;
  EXPECT_EQ(test_bytes::ReadFile("DEBUG.TXT"), "kept\n");
  EXPECT_EQ(test_bytes::ReadFile("save.dat"), save);

  // Its scratch folder is made where TMPDIR says, when that is an absolute path
  // (a relative one names a file here, where no folder can be made).
  const char* old = std::getenv("TMPDIR");
  const std::string saved = old != nullptr ? old : "";
  setenv("TMPDIR", "tmp", 1);
  std::ofstream("tmp") << "a file\n";
  const int relative = Replay(dir + "run.rec");
  setenv("TMPDIR", (dir + "no-such-folder").c_str(), 1);
  const int missing = Replay(dir + "run.rec");
  old != nullptr ? setenv("TMPDIR", saved.c_str(), 1) : unsetenv("TMPDIR");
  EXPECT_EQ(relative, 0) << "a relative TMPDIR is ignored: " << err;
  EXPECT_EQ(missing, 1);
  EXPECT_NE(err.find(dir + "no-such-folder"), std::string::npos) << err;
}

// A record replays in the window mode it was made in, from any config.ini
// the game reads; a mode asked for on the replay wins, and the message says so.
TEST_F(GameRunsTest, RecordsReplayInTheWindowTheyWereMadeIn) {
  std::ofstream("config.ini", std::ios::binary)
      << "FULL_SCREEN=1\n" + std::string(2u << 20, ';') + "\n";
  ASSERT_EQ(Record(dir + "windowed.rec", 0), 0);
  ASSERT_EQ(Record(dir + "full.rec"), 0);
  struct Case {
    const char* file;
    int full_screen;  // asked on the replay
    int code;
    const char* says;
  } cases[] = {
      {"windowed.rec", -1, 0, ""},
      {"full.rec", -1, 0, ""},
      {"windowed.rec", 1, 1, "it was recorded in a window: leave out --fullscreen"},
      {"full.rec", 0, 1, "it was recorded full screen: leave out --windowed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.file << " " << c.full_screen);
    EXPECT_EQ(Replay(dir + c.file, c.full_screen), c.code) << err;
    EXPECT_NE(err.find(c.says), std::string::npos) << err;
  }
}

// Text from a record reaches the terminal with its control bytes written out.
TEST_F(GameRunsTest, OutsideTextIsPrintedEscaped) {
  ASSERT_EQ(Record(dir + "run.rec"), 0);
  platform::Record record = platform::ParseRecord(test_bytes::ReadFile("run.rec"));
  record.header.version = "\x1b[2J\x9b";
  std::ofstream(dir + "\x07.rec", std::ios::binary)
      << platform::EncodeHeader(record.header) + record.bytes.substr(record.events_at);
  EXPECT_EQ(Replay(dir + "\x07.rec"), 1);
  EXPECT_NE(err.find("\\x07.rec: cannot replay: it was made by version \\x1b[2J\x9b"),
            std::string::npos)
      << err;
  EXPECT_EQ(err.find('\x1b'), std::string::npos);
}

}  // namespace
