// A scripted game recorded on the headless platform plays back to the same
// frames, score and save file; damaged, cut and diverging records stop with why.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "game/game_state.h"
#include "platform/record/record_platforms.h"
#include "scenario/scenario_fixture.h"
#include "scene/scene_state.h"
#include "shell/shell.h"

namespace {

using namespace platform;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Outcome {
  int frames;
  uint64_t checksum;
  int score;
  std::string save;
  std::string stopped;
};

class ReplayTest : public ScenarioTest {
 protected:
  // Records a game: new game from the title, steering and firing, until the time runs out.
  void SetUp() override {
    ScenarioTest::SetUp();
    RecordWriter writer;
    std::string why;
    ASSERT_TRUE(writer.Open(dir + "run.rec", {"test", 1, Slurp("config.ini"), std::nullopt}, why));
    RecordingPlatform recording(hp, writer);
    Set(&recording);
    int step = 0;
    Run(
        [&] {
          if (g_state.scene == SCENE_GAME) {
            // The display takes the surfaces away once, in the middle of play.
            if (step == 300) hp.lose_surfaces_once = true;
            hp.HoldKey(hp.now, (++step / 40) % 2 ? VK_LEFT : VK_RIGHT, 20);
            hp.HoldKey(hp.now, VK_SPACE, 20);
          } else {
            PressEvery(VK_RETURN, 300);
          }
        },
        40 * 1000);
    recording.Finish();
    recorded = {recording.frames(), recording.checksum(), g_game.score, Slurp("save.dat"), ""};
    bytes = Slurp(dir + "run.rec");
  }

  Outcome Replay(const Record& record) {
    Restart();
    std::filesystem::remove("save.dat");
    HeadlessPlatform output;
    output.answer_boxes = false;
    output.program_path = hp.program_path;
    ReplayingPlatform replaying(output, record);
    Set(&replaying);
    RunGame();
    replaying.Finish();
    Set(&hp);
    return {replaying.frames(), replaying.checksum(), g_game.score, Slurp("save.dat"),
            replaying.stopped()};
  }

  Outcome recorded;
  std::string bytes;
};

TEST_F(ReplayTest, ReplaysTheSameGame) {
  ASSERT_GT(recorded.frames, 1000);
  ASSERT_GT(recorded.score, 0) << "the scripted player should score";
  const Record record = ParseRecord(bytes);
  ASSERT_EQ(record.error, "");
  ASSERT_FALSE(record.cut);
  // The answer to "surfaces lost?" is kept where it changes: to yes, and back.
  EXPECT_EQ(std::count_if(record.events.begin(), record.events.end(),
                          [](const Event& e) { return e.kind == EventKind::kSurfacesLost; }),
            2);
  const Outcome replayed = Replay(record);
  EXPECT_EQ(replayed.stopped, "");
  EXPECT_EQ(replayed.frames, recorded.frames);
  EXPECT_EQ(replayed.checksum, recorded.checksum);
  EXPECT_EQ(replayed.score, recorded.score);
  EXPECT_EQ(replayed.save, recorded.save);
}

TEST_F(ReplayTest, RefusesWhatItCannotReplay) {
  const size_t first_event = EncodeHeader(ParseRecord(bytes).header).size();
  // The program reads the clock where the record now holds a key.
  const auto diverge = [](Record& r) {
    auto clock =
        std::find_if(r.events.begin() + static_cast<ptrdiff_t>(r.events.size() / 2), r.events.end(),
                     [](const Event& e) { return e.kind == EventKind::kClock; });
    *clock = {EventKind::kKeyDown, {VK_SPACE, 0}, "", {}};
  };
  const std::function<void(std::string&)> keep = [](std::string&) {};
  struct Case {
    const char* name;
    std::function<void(std::string&)> damage;
    std::function<void(Record&)> change;
    const char* error;  // from the reader; empty: it reads and the replay stops
    const char* stopped;
  } cases[] = {
      {"not a record",
       [](std::string& b) { b[1] = 'X'; },
       {},
       "byte 0: not a Lantern Drift record",
       ""},
      {"older format", [](std::string& b) { b[4] = 1; }, {},
       "byte 4: record format 1, this program reads format 2", ""},
      {"newer format", [](std::string& b) { b[4] = 3; }, {}, "byte 4: record format 3", ""},
      {"unknown event", [&](std::string& b) { b[first_event] = 99; }, {}, "unknown event 99", ""},
      {"wrong size",
       [&](std::string& b) { b[first_event + 1] = 8; },
       {},
       "the clock has the wrong size",
       ""},
      {"cut", [](std::string& b) { b.resize(b.size() * 2 / 3); }, {}, "", "it was cut short"},
      {"diverging", keep, diverge, "", "the replay diverged at frame"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string damaged = bytes;
    c.damage(damaged);
    Record record = ParseRecord(damaged);
    if (*c.error != '\0') {
      EXPECT_NE(record.error.find(c.error), std::string::npos) << record.error;
      continue;
    }
    ASSERT_EQ(record.error, "");
    if (c.change) c.change(record);
    const Outcome replayed = Replay(record);
    EXPECT_NE(replayed.stopped.find(c.stopped), std::string::npos) << replayed.stopped;
    EXPECT_LT(replayed.frames, recorded.frames);
  }
}

// A run killed at any moment leaves every frame presented before it, and the
// file is written once a frame, not once an event.
TEST_F(ReplayTest, TheRecordReachesTheFileOnceAFrame) {
  RecordWriter writer;
  std::string why;
  ASSERT_TRUE(writer.Open(dir + "frames.rec", {"test", 1, std::nullopt, std::nullopt}, why));
  RecordingPlatform recording(hp, writer);
  const auto size = [&] { return std::filesystem::file_size(dir + "frames.rec"); };
  const uint16_t frame[4] = {1, 2, 3, 4};
  const auto header = size();
  recording.Clock();
  recording.KeyDown(VK_SPACE);
  EXPECT_EQ(size(), header);
  recording.PresentFrame(frame, 2, 2, 2);
  const auto after_frame = size();
  EXPECT_GT(after_frame, header);
  recording.Clock();
  recording.PresentAgain(frame, 2, 2, 2);
  EXPECT_GT(size(), after_frame);
}

}  // namespace
