// What lantern-drift --check says of values the formats forbid but the game
// tolerates (warnings, failing only with --strict), and of what the formats
// allow (silence), each on a copy of the default pack.
#include "shell/content_check.h"

#include <filesystem>
#include <functional>
#include <regex>
#include <sstream>

#include "support/headless_test.h"
#include "support/test_bytes.h"

namespace {

namespace fs = std::filesystem;

// Replaces the first `from` in a file of the pack.
void Replace(const std::string& path, const std::string& from, const std::string& to) {
  std::string bytes = test_bytes::ReadFile(path);
  const size_t at = bytes.find(from);
  ASSERT_NE(at, std::string::npos) << from << " in " << path;
  test_bytes::WriteFile(path, bytes.replace(at, from.size(), to));
}

struct Tolerated {
  const char* name;
  std::function<void(const std::string& dir)> change;
  const char* said;  // the one finding, after the folder; nullptr: none
};

const Tolerated kCases[] = {
    {"SceneNumberPastNine",
     [](const std::string& d) { Replace(d + "data/demo_go.dat", "#SCENE:1", "#SCENE:10"); },
     R"(data/demo_go\.dat:12: warning: SCENE: 10 is outside 0\.\.9)"},
    {"NegativeSceneNumber",
     [](const std::string& d) { Replace(d + "data/demo_go.dat", "#SCENE:1", "#SCENE:-1"); },
     R"(data/demo_go\.dat:12: warning: SCENE: -1 is outside 0\.\.9)"},
    {"SceneCountPastTen",
     [](const std::string& d) { Replace(d + "data/demo_go.dat", "#MAX_SCENE:2", "#MAX_SCENE:11"); },
     R"(data/demo_go\.dat:2: warning: MAX_SCENE 11 is outside 0\.\.10; the game takes it as 10)"},
    {"NegativeSceneCount",
     [](const std::string& d) { Replace(d + "data/demo_go.dat", "#MAX_SCENE:2", "#MAX_SCENE:-1"); },
     R"(data/demo_go\.dat:2: warning: MAX_SCENE -1 is outside 0\.\.10; the game takes it as 0)"},
    {"FadeOfNoSteps",
     [](const std::string& d) {
       Replace(d + "data/demo_go.dat", "fade_interval:24", "fade_interval:0");
     },
     R"(data/demo_go\.dat:8: warning: fade_interval 0 is below 1)"},
    {"FadeOfNegativeSteps",
     [](const std::string& d) {
       Replace(d + "data/demo_go.dat", "fade_interval:24", "fade_interval:-3");
     },
     R"(data/demo_go\.dat:8: warning: fade_interval -3 is below 1)"},
    {"NameFoundOnlyIgnoringCase",
     [](const std::string& d) { Replace(d + "data/game.dat", "img\\shot.bmp", "img\\Shot.bmp"); },
     R"(data/game\.dat:23: warning: "img\\Shot\.bmp" is found only by ignoring letter case, as img/shot\.bmp)"},
    {"ScriptThatIsAFolder",
     [](const std::string& d) {
       fs::remove(d + "data/demo_end.dat");
       fs::create_directory(d + "data/demo_end.dat");
     },
     R"(data/demo_end\.dat:0: warning: cannot be read \(a folder, not a file\); the game plays nothing from it)"},
    // Silence: what the formats allow.
    {"BlockNameInCapitalsIsLowerCasedToTheFile",
     [](const std::string& d) {
       Replace(d + "data/data1.dat", "img:img\\chr_lumi.bmp", "img:IMG\\CHR_LUMI.BMP");
     },
     nullptr},
    {"MissingGameOverScript", [](const std::string& d) { fs::remove(d + "data/demo_go.dat"); },
     nullptr},
    {"BrokenFileTheGameNeverOpens",
     [](const std::string& d) { test_bytes::WriteFile(d + "img/unused.bmp", "BM"); }, nullptr},
    {"FadeOfOneStep",
     [](const std::string& d) {
       Replace(d + "data/demo_go.dat", "fade_interval:24", "fade_interval:1");
     },
     nullptr},
};

class ToleratedContentTest : public HeadlessTest, public testing::WithParamInterface<Tolerated> {};

TEST_P(ToleratedContentTest, IsAWarningOrSilence) {
  const std::string dir = MakeTempDir();
  for (const char* sub : {"data", "img", "sound", "Music"})
    fs::copy(fs::path(LD_GAME_DIR) / sub, dir + sub, fs::copy_options::recursive);
  GetParam().change(dir);
  const char* said = GetParam().said;
  for (const bool strict : {false, true}) {
    std::ostringstream out;
    EXPECT_EQ(CheckContent(dir, out, strict), strict && said != nullptr ? 1 : 0) << out.str();
    const std::string summary =
        dir + (said ? ": 0 errors, 1 warning found\n" : ": no problems found\n");
    const std::string report = out.str();
    ASSERT_GE(report.size(), summary.size());
    EXPECT_EQ(report.substr(report.size() - summary.size()), summary) << report;
    if (said != nullptr) {
      EXPECT_TRUE(std::regex_search(report, std::regex("^" + dir + said, std::regex::multiline)))
          << report;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Pack, ToleratedContentTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Tolerated>& p) {
                           return std::string(p.param.name);
                         });

}  // namespace
