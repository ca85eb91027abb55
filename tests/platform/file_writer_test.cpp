// The one writer: a new file is whole or absent, a replaced file holds the old
// or the new bytes, and the lock excludes whatever stands where its file should.
#include "platform/file_writer.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "support/headless_test.h"
#include "support/test_bytes.h"

namespace {

namespace fs = std::filesystem;
using platform::WriteLock;

class FileWriterTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    MakeTempDir();
  }
  // What the folder holds, names only.
  static std::vector<std::string> Listing() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(".")) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  // The call, in a child that may write no byte, as on a full disk: whether it failed.
  static bool FailsOnAFullDisk(const std::function<bool()>& write) {
    return RunInChild([&] {
             const rlimit no_bytes{0, 0};
             std::signal(SIGXFSZ, SIG_IGN);
             return setrlimit(RLIMIT_FSIZE, &no_bytes) == 0 && !write() ? 0 : 1;
           }) == 0;
  }
};

using Names = std::vector<std::string>;

TEST_F(FileWriterTest, ANewFileIsMadeOnlyWhereNothingIs) {
  test_bytes::WriteFile("old", "player's");
  fs::create_symlink("elsewhere", "link");
  const struct {
    const char* path;
    bool made;
  } cases[] = {{"new", true}, {"old", false}, {"link", false}};
  for (const auto& c : cases) EXPECT_EQ(platform::CreateNewFile(c.path, "abc"), c.made) << c.path;
  EXPECT_EQ(test_bytes::ReadFile("new"), "abc");
  EXPECT_EQ(test_bytes::ReadFile("old"), "player's");
  EXPECT_FALSE(fs::exists("elsewhere"));
}

TEST_F(FileWriterTest, ANewFileThatCannotBeWrittenIsRemoved) {
  EXPECT_TRUE(FailsOnAFullDisk([] { return platform::CreateNewFile("config.ini", "FPS=1\n"); }));
  EXPECT_TRUE(Listing().empty());
}

TEST_F(FileWriterTest, AReplacedFileKeepsItsModeAndItsLink) {
  test_bytes::WriteFile("real.dat", "old bytes");
  ASSERT_EQ(chmod("real.dat", 0640), 0);
  fs::create_symlink("real.dat", "save.dat");
  ASSERT_TRUE(platform::ReplaceFile("save.dat", "new"));
  EXPECT_TRUE(fs::is_symlink("save.dat"));
  EXPECT_EQ(test_bytes::ReadFile("real.dat"), "new");
  EXPECT_EQ(fs::status("real.dat").permissions(), fs::perms(0640));
  EXPECT_EQ(Listing(), (Names{"real.dat", "save.dat"}));
}

// The lock file is shared by every user; what it guards takes the umask's mode.
TEST_F(FileWriterTest, ANewFileTakesTheUmaskAndTheLockFileIsForEveryUser) {
  const mode_t old_mask = umask(027);
  EXPECT_TRUE(platform::ReplaceFile("save.dat", "new"));
  WriteLock lock;
  EXPECT_EQ(lock.TryTake("save.dat"), WriteLock::Try::kTaken);
  umask(old_mask);
  EXPECT_EQ(fs::status("save.dat").permissions(), fs::perms(0640));
  EXPECT_EQ(fs::status("save.dat.lock").permissions(), fs::perms(0666));
}

TEST_F(FileWriterTest, AFailedReplaceOrRewriteLeavesTheOldBytesAndNoTemporaryFile) {
  test_bytes::WriteFile("save.dat", "old bytes");
  EXPECT_TRUE(FailsOnAFullDisk([] { return platform::ReplaceFile("save.dat", "new"); }));
  EXPECT_TRUE(FailsOnAFullDisk([] { return platform::RewriteFile("save.dat", "new"); }));
  EXPECT_EQ(test_bytes::ReadFile("save.dat"), "old bytes");
  EXPECT_EQ(Listing(), (Names{"save.dat"}));
  fs::create_directory("folder");
  std::string why;
  EXPECT_FALSE(platform::ReplaceFile("folder", "new", &why));
  EXPECT_EQ(why, "a folder, not a file");
}

TEST_F(FileWriterTest, ARewriteCutsTheFileAndRefusesAFifo) {
  test_bytes::WriteFile("save.dat", "a longer old text");
  ASSERT_TRUE(platform::RewriteFile("save.dat", "new"));
  EXPECT_EQ(test_bytes::ReadFile("save.dat"), "new");
  ASSERT_EQ(mkfifo("fifo", 0666), 0);
  EXPECT_FALSE(platform::RewriteFile("fifo", "new"));
}

// Another process holds one of the two: the folder or the lock file, whatever
// stands where the lock file should be. Without the folder there is no lock.
TEST_F(FileWriterTest, TheLockIsBusyWhileAnotherHoldsTheFolderOrTheLockFileAndNeedsAFolder) {
  const struct {
    const char* name;
    std::function<void()> make;
    const char* held;
  } cases[] = {
      {"plain", [] {}, "save.dat.lock"},
      {"plain", [] {}, "."},
      {"link", [] { fs::create_symlink("save.dat", "save.dat.lock"); }, "."},
      {"folder", [] { fs::create_directory("save.dat.lock"); }, "."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " holding " + c.held);
    fs::remove_all("save.dat.lock");
    c.make();
    WriteLock lock;
    ASSERT_EQ(lock.TryTake("save.dat"), WriteLock::Try::kTaken);
    lock.Release();
    const platform::Fd other(open(c.held, O_RDONLY | O_CLOEXEC));
    ASSERT_EQ(flock(other.get(), LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(lock.TryTake("save.dat"), WriteLock::Try::kBusy);
    EXPECT_FALSE(fs::exists("save.dat"));
  }
  std::string why;  // no folder, no lock
  EXPECT_EQ(WriteLock().TryTake("missing/save.dat", &why), WriteLock::Try::kUnavailable);
  EXPECT_EQ(why, "neither its folder nor missing/save.dat.lock can be locked");
}

}  // namespace
