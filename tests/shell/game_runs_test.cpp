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
  int Record(const std::string& file) {
    hp.stop_at = hp.now + 2000;
    hp.on_frame = [&] { PressEvery(platform::VK_RETURN, 300); };
    return RecordGame(Options{.record = file}, folders, hp);
  }
  // Replays file headless; the exit code, with standard error in err.
  int Replay(const std::string& file) {
    testing::internal::CaptureStderr();
    const int code = ReplayGame(Options{.replay = file, .headless = true}, folders, nullptr);
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
  const int huge = open((dir + "huge.rec").c_str(), O_WRONLY | O_CREAT, 0600);
  ASSERT_GE(huge, 0);
  ASSERT_EQ(ftruncate(huge, static_cast<off_t>(platform::kMaxRecordBytes) + 1), 0);
  close(huge);
  struct Case {
    std::string file;
    std::string says;
  } cases[] = {
      {"/dev/zero", "/dev/zero: not a regular file"},
      {dir, "a folder, not a file"},
      {"huge.rec", "larger than " + std::to_string(platform::kMaxRecordBytes) + " bytes"},
      {"long.rec", "byte " + std::to_string(run.size()) + ": bytes after the end of the run"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(Replay(c.file), 1);
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

  // Its scratch folder is made where TMPDIR says.
  const char* old = std::getenv("TMPDIR");
  const std::string saved = old != nullptr ? old : "";
  setenv("TMPDIR", (dir + "no-such-folder").c_str(), 1);
  const int code = Replay(dir + "run.rec");
  old != nullptr ? setenv("TMPDIR", saved.c_str(), 1) : unsetenv("TMPDIR");
  EXPECT_EQ(code, 1);
  EXPECT_NE(err.find(dir + "no-such-folder"), std::string::npos) << err;
}

}  // namespace
