// A scripted game recorded on the headless platform plays back to the same
// frames, score and save file; damaged, cut and diverging records stop with why.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "game/game_state.h"
#include "platform/record/record_platforms.h"
#include "scenario/scenario_fixture.h"
#include "scene/scene_state.h"
#include "shell/main_loop.h"
#include "support/test_bytes.h"

namespace {

using namespace platform;

using test_bytes::ReadFile;

// Every whole event of a record, in order.
std::vector<Event> EventsOf(const Record& record) {
  std::vector<Event> events(record.event_count);
  std::string why;
  size_t at = record.events_at;
  for (Event& e : events) at = ReadEvent(record.bytes, at, e, why);
  return events;
}

// The offset of the nth event of a kind in the record's bytes (n from 0).
size_t OffsetOf(const Record& record, EventKind kind, int n) {
  for (const Event& e : EventsOf(record))
    if (e.kind == kind && n-- == 0) return e.offset;
  return record.bytes.size();
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
  // Records a game with the frame rate shown: a box asked and refused on the
  // title, then a new game, steering and firing, until the time runs out.
  void SetUp() override {
    ScenarioTest::SetUp();
    std::ofstream("config.ini", std::ios::binary) << "FULL_SCREEN=0\r\nFPS=1\r\n";
    hp.box_answers.push_back(IDNO);
    hp.box_open_ms = 400;
    RecordWriter writer;
    std::string why;
    ASSERT_TRUE(
        writer.Open(dir + "run.rec", {"test", 1, ReadFile("config.ini"), std::nullopt}, why));
    RecordingPlatform recording(hp, writer);
    Set(&recording);
    int step = 0;
    bool asked = false;
    Run(
        [&] {
          if (g_state.scene == SCENE_GAME) {
            // The display takes the surfaces away once, in the middle of play.
            if (step == 300) hp.lose_surfaces_once = true;
            hp.HoldKey(hp.now, (++step / 40) % 2 ? VK_LEFT : VK_RIGHT, 20);
            hp.HoldKey(hp.now, VK_SPACE, 20);
          } else if (g_state.scene == SCENE_TITLE && !asked) {
            asked = PressEvery(VK_ESCAPE, 300);
          } else {
            PressEvery(VK_RETURN, 300);
          }
        },
        40 * 1000);
    boxes = hp.boxes.size();
    recording.Finish();
    recorded = {recording.frames(), recording.checksum(), g_game.score, ReadFile("save.dat"), ""};
    bytes = ReadFile(dir + "run.rec");
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
    return {replaying.frames(), replaying.checksum(), g_game.score, ReadFile("save.dat"),
            replaying.stopped()};
  }

  Outcome recorded;
  size_t boxes = 0;
  std::string bytes;
};

TEST_F(ReplayTest, ReplaysTheSameGame) {
  ASSERT_GT(recorded.frames, 1000);
  ASSERT_GT(recorded.score, 0) << "the scripted player should score";
  const Record record = ParseRecord(bytes);
  ASSERT_EQ(record.error, "");
  EXPECT_EQ(boxes, 1u) << "the title's question";
  const std::vector<Event> events = EventsOf(record);
  const auto texts = std::count_if(events.begin(), events.end(), [](const Event& e) {
    return e.kind == EventKind::kText && e.values[2] > 0;
  });
  EXPECT_GT(texts, 1000) << "the frame rate and the box are drawn text";
  // The answer to "surfaces lost?" is kept where it changes: to yes, and back.
  EXPECT_EQ(std::count_if(events.begin(), events.end(),
                          [](const Event& e) { return e.kind == EventKind::kSurfacesLost; }),
            2);
  const Outcome replayed = Replay(record);
  EXPECT_EQ(replayed.stopped, "");
  EXPECT_EQ(replayed.frames, recorded.frames);
  EXPECT_EQ(replayed.checksum, recorded.checksum);  // the score is drawn
  EXPECT_EQ(replayed.save, recorded.save);
}

// The header's fields come back as written, from the largest config.ini the
// game reads; format 2 (no window) is still read, and a text too long for a
// record is refused before anything is written.
TEST(RecordHeaderTest, FieldsSurviveAWriteAndARead) {
  const std::string end = EncodeEvent({EventKind::kEnd, {0, 0, 0}});
  const std::string largest(kMaxHeaderText, ';');
  for (const RecordHeader& h :
       {RecordHeader{"2.0.0", 0x0123456789ABCDEFull, std::nullopt, std::string("\0s", 2), 0, 3},
        RecordHeader{"", 0xFFFFFFFF00000001ull, largest, std::nullopt, 1, 1}}) {
    const Record r = ParseRecord(EncodeHeader(h) + end);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.header.version, h.version);
    EXPECT_EQ(r.header.content_hash, h.content_hash);
    EXPECT_EQ(r.header.config, h.config);
    EXPECT_EQ(r.header.save, h.save);
    EXPECT_EQ(r.header.full_screen, h.full_screen);
    EXPECT_EQ(r.header.scale, h.scale);
  }
  // Format 2: the same without the window's two values.
  std::string old = EncodeHeader({"v", 7, std::nullopt, std::nullopt, 0, 2});
  old[4] = 2;
  old.erase(4 + 4 + 4 + 1 + 8, 8);
  const Record r = ParseRecord(old + end);
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.header.full_screen, -1);
  EXPECT_EQ(r.header.content_hash, 7u);

  RecordWriter writer;
  std::string why;
  EXPECT_FALSE(
      writer.Open(testing::TempDir() + "too-long.rec", {"v", 7, largest + ";", std::nullopt}, why));
  EXPECT_EQ(why, "config.ini holds 16777217 bytes, more than the 16777216 a record keeps");
}

TEST_F(ReplayTest, RefusesWhatItCannotReplay) {
  const Record made = ParseRecord(bytes);
  const size_t first_event = made.events_at;
  // Where the program reads the clock, the record holds the sound device's answer.
  const size_t clock = OffsetOf(made, EventKind::kClock, static_cast<int>(made.event_count / 4));
  // The display said "lost" once; the record no longer says it came back.
  const size_t found = OffsetOf(made, EventKind::kSurfacesLost, 1);
  struct Case {
    const char* name;
    std::function<void(std::string&)> damage;
    const char* error;  // from the reader; empty: it reads and the replay stops
    const char* stopped;
  } cases[] = {
      {"older format", [](std::string& b) { b[4] = 1; },
       "byte 4: record format 1, this program reads formats 2 to 3", ""},
      {"newer format", [](std::string& b) { b[4] = 4; }, "byte 4: record format 4", ""},
      {"window mode", [](std::string& b) { b.replace(4 + 4 + 4 + 4 + 8, 4, "\2\0\0\0", 4); },
       "window mode 2", ""},
      {"unknown event", [&](std::string& b) { b[first_event] = 99; }, "unknown event 99", ""},
      {"wrong size", [&](std::string& b) { b[first_event + 1] = 8; },
       "the clock has the wrong size", ""},
      {"cut", [](std::string& b) { b.resize(b.size() * 2 / 3); }, "", "it was cut short"},
      {"diverging", [&](std::string& b) { b[clock] = static_cast<char>(EventKind::kOpenSound); },
       "", "the program asked for the clock where the record holds the sound device"},
      {"lost for good", [&](std::string& b) { b.erase(found, 13); }, "",
       "the record keeps the surfaces lost after they were restored"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string damaged = bytes;
    c.damage(damaged);
    const Record record = ParseRecord(damaged);
    if (*c.error != '\0') {
      EXPECT_NE(record.error.find(c.error), std::string::npos) << record.error;
      continue;
    }
    ASSERT_EQ(record.error, "");
    const Outcome replayed = Replay(record);
    EXPECT_NE(replayed.stopped.find(c.stopped), std::string::npos) << replayed.stopped;
    EXPECT_LT(replayed.frames, recorded.frames);
  }
}

// A drawn-text box whose corner lies near 2^32 wraps back inside the picture
// in 32-bit sums: the reader refuses it with its byte, and so does a replay
// of one made in memory, without writing a pixel.
TEST(ReplayTextTest, RefusesTextOutsideItsPicture) {
  struct Case {
    uint32_t x0, y0, w, h;
    bool outside_any;  // the reader already refuses it
  } cases[] = {
      {0xFFFFFFFFu, 0, 1, 1, true},  {0, 0xFFFFF000u, 1, 4096, true},
      {0xFFFFFFF0u, 2, 32, 1, true}, {7, 0, 2, 1, false},
      {0, 3, 1, 2, false},
  };
  constexpr int kWidth = 8, kHeight = 4;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x0 << ", " << c.y0 << ", " << c.w << " x " << c.h);
    const std::string pixels(size_t{c.w} * c.h * 2, '\xFF');
    const Event text{EventKind::kText, {c.x0, c.y0, c.w, c.h}, "", pixels};
    const std::string header = EncodeHeader({"test", 1, std::nullopt, std::nullopt});
    const std::string at = "byte " + std::to_string(header.size()) + ": drawn text";
    Record record = ParseRecord(header + EncodeEvent(text));
    EXPECT_EQ(record.error, c.outside_any ? at + " lies outside any picture" : "");

    // The same, taken as it stands.
    record.events_at = header.size();
    record.events_end = record.bytes.size();
    record.event_count = 1;
    std::vector<uint16_t> memory(3 * kWidth * kHeight, 0);  // the picture with a margin each side
    HeadlessPlatform output;
    ReplayingPlatform replaying(output, record);
    replaying.DrawText({memory.data() + kWidth * kHeight, kWidth, kHeight, kWidth}, 0, 0, "x", 0,
                       12, 0, 0, true);
    EXPECT_EQ(replaying.stopped().rfind(at, 0), 0u) << replaying.stopped();
    EXPECT_EQ(std::count(memory.begin(), memory.end(), 0), std::ssize(memory));
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
  recording.Clock();
  recording.PresentAgain(frame, 2, 2, 2);
  EXPECT_TRUE(header < after_frame && after_frame < size())
      << header << ", " << after_frame << ", " << size();
}

}  // namespace
