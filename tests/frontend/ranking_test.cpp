#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "frontend/ranking.h"
#include "support/headless_test.h"

namespace {

class RankingTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    MakeTempDir();
  }
  static std::string Bytes(const char* file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Set(std::array<int, 5> scores) {
    for (size_t i = 0; i < 5; ++i) g_ranking[i] = scores[i];
  }
  static std::array<int, 5> Top() { return {g_ranking[0], g_ranking[1], g_ranking[2], g_ranking[3], g_ranking[4]}; }
};

TEST_F(RankingTest, ScoresSurviveAWriteAndARead) {
  Set({123456789, 70000, -5, 256, 1});
  ASSERT_TRUE(WriteSaveFile());
  const std::string bytes = Bytes("save.dat");
  ASSERT_EQ(bytes.size(), 27u);
  EXPECT_EQ(bytes.substr(7, 4), std::string("\x15\xCD\x5B\x07", 4));  // little-endian 123456789
  EXPECT_EQ(bytes.substr(15, 4), std::string("\xFB\xFF\xFF\xFF", 4));
  g_ranking.fill(0);
  ReadSaveFile("save.dat");
  EXPECT_EQ(Top(), (std::array<int, 5>{123456789, 70000, -5, 256, 1}));
}

TEST_F(RankingTest, ForeignFilesAreIgnoredShortOnesGiveTheScoresTheyHold) {
  const std::pair<std::string, std::array<int, 5>> cases[] = {
      {std::string("brisel") + std::string(21, '\1'), {5, 4, 3, 2, 1}},
      {"qorvane\1\2", {5, 4, 3, 2, 1}},
      {std::string("qorvane\x07\0\0\0\x09\0\0\0\x03", 16), {7, 9, 3, 2, 1}}};
  for (const auto& [bytes, top] : cases) {
    std::ofstream("save.dat", std::ios::binary) << bytes;
    Set({5, 4, 3, 2, 1});
    ReadSaveFile("save.dat");
    EXPECT_EQ(Top(), top);
    EXPECT_EQ(Bytes("save.dat"), bytes);
  }
}

TEST_F(RankingTest, InsertionCarriesTheScoreToItsPlace) {
  Set({1000, 800, 600, 400, 200});
  InsertScore(500);
  EXPECT_EQ(Top(), (std::array<int, 5>{1000, 800, 600, 500, 400}));
  InsertScore(600);
  EXPECT_EQ(Top(), (std::array<int, 5>{1000, 800, 600, 600, 500}));
  InsertScore(100);
  EXPECT_EQ(Top(), (std::array<int, 5>{1000, 800, 600, 600, 500}));
  InsertScore(5000);
  EXPECT_EQ(Top(), (std::array<int, 5>{5000, 1000, 800, 600, 600}));
  // Every change is saved at once.
  g_ranking.fill(0);
  ReadSaveFile("save.dat");
  EXPECT_EQ(Top(), (std::array<int, 5>{5000, 1000, 800, 600, 600}));
}

// The writer runs as nobody on files that root set up: a closed folder with an
// open save.dat, a save.dat of another owner, an own one of mode 0600, a link.
TEST_F(RankingTest, WritesKeepTheFileItsOwnerItsModeAndItsLink) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to give the files to another user";
  ASSERT_EQ(chmod(".", 0711), 0);
  struct Case {
    const char* dir;
    mode_t dir_mode;
    uid_t owner;
    mode_t mode;
    bool link;
  };
  for (const Case& c : {Case{"shared", 0555, 0, 0666, false}, Case{"foreign", 0777, 0, 0666, false},
                        Case{"own", 0777, 65534, 0600, false}, Case{"link", 0777, 65534, 0640, true}}) {
    const std::string dir = std::string(c.dir) + "/", file = dir + (c.link ? "real.dat" : "save.dat");
    std::filesystem::create_directory(dir);
    std::ofstream(file) << "old";
    ASSERT_EQ(chown(file.c_str(), c.owner, c.owner), 0);
    ASSERT_EQ(chmod(file.c_str(), c.mode), 0);
    if (c.link) std::filesystem::create_symlink("real.dat", dir + "save.dat");
    ASSERT_EQ(chmod(dir.c_str(), c.dir_mode), 0);
    ResetRanking();  // writes go to ./save.dat again
    Set({9, 8, 7, 6, 5});
    EXPECT_EQ(RunInChild([&] {
                return setgid(65534) == 0 && setuid(65534) == 0 && chdir(c.dir) == 0 && WriteSaveFile() ? 0 : 1;
              }),
              0)
        << c.dir;
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, c.owner) << c.dir;
    EXPECT_EQ(st.st_mode & 07777, c.mode) << c.dir;
    EXPECT_EQ(std::filesystem::is_symlink(dir + "save.dat"), c.link) << c.dir;
    g_ranking.fill(0);
    ReadSaveFile(dir + "save.dat");
    EXPECT_EQ(Top(), (std::array<int, 5>{9, 8, 7, 6, 5})) << c.dir;
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
    EXPECT_EQ(Bytes("store/real.dat"), "decoy");
    g_ranking.fill(0);
    ReadSaveFile("game/store/real.dat");
    EXPECT_EQ(Top(), (std::array<int, 5>{4321, 0, 0, 0, 0}));
  }
}

TEST_F(RankingTest, NoTemporaryFileMeansAWriteInPlace) {
  std::filesystem::create_directory("save.dat.tmp");
  InsertScore(100);
  g_ranking.fill(0);
  ReadSaveFile("save.dat");
  EXPECT_EQ(Top(), (std::array<int, 5>{100, 0, 0, 0, 0}));
}

}  // namespace
