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

TEST_F(RankingTest, ForeignOrShortFilesLeaveTheRankingAlone) {
  for (const std::string& bytes : {std::string("brisel") + std::string(21, '\1'), std::string("qorvane\1\2")}) {
    std::ofstream("save.dat", std::ios::binary) << bytes;
    Set({5, 4, 3, 2, 1});
    ReadSaveFile("save.dat");
    EXPECT_EQ(Top(), (std::array<int, 5>{5, 4, 3, 2, 1}));
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

TEST_F(RankingTest, AFailedWriteKeepsTheOldFile) {
  Set({9, 8, 7, 6, 5});
  ASSERT_TRUE(WriteSaveFile());
  const std::string before = Bytes("save.dat");
  std::filesystem::create_directory("save.dat.tmp");  // the temporary file cannot be made
  InsertScore(100);
  EXPECT_FALSE(WriteSaveFile());
  EXPECT_EQ(Bytes("save.dat"), before);
}

}  // namespace
