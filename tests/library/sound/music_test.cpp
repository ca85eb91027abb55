#include "library/sound/music.h"

#include <string>
#include <utility>
#include <vector>

#include "shell/window_proc.h"
#include "support/headless_test.h"

namespace {

using Commands = std::vector<std::string>;

class MusicTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    hp.program_path = "/opt/lantern drift/lantern-drift";
    MusicReset();
  }
  // The commands sent since the last call.
  Commands Sent() { return std::exchange(hp.music_commands, {}); }
  void Notify(uint32_t code) { WindowProc({platform::MsgKind::kMusicNotify, code, 0}); }
};

TEST_F(MusicTest, PlayReplacesTheRunningPieceAndStopClosesOnce) {
  PlayMusic("Music\\title.mid", 1);
  EXPECT_EQ(Sent(),
            (Commands{"open \"/opt/lantern drift/Music/title.mid\" type sequencer alias midi",
                      "seek midi to start", "play midi notify"}));
  PlayMusic("b.mid", 1);
  EXPECT_EQ(Sent(), (Commands{"stop midi", "close midi",
                              "open \"/opt/lantern drift/b.mid\" type sequencer alias midi",
                              "seek midi to start", "play midi notify"}));
  StopMusic();
  StopMusic();
  EXPECT_EQ(Sent(), (Commands{"stop midi", "close midi"}));
}

TEST_F(MusicTest, OnlyASuccessfulEndOfAStoppedPieceRestartsIt) {
  PlayMusic("a.mid", 1);
  Sent();
  Notify(platform::MCI_NOTIFY_SUCCESSFUL);
  EXPECT_EQ(Sent(), (Commands{"status midi mode", "seek midi to start", "play midi notify"}));
  Notify(platform::MCI_NOTIFY_ABORTED);
  Notify(platform::MCI_NOTIFY_SUPERSEDED);
  hp.music_status = "playing";
  Notify(platform::MCI_NOTIFY_SUCCESSFUL);
  EXPECT_EQ(Sent(), (Commands{"status midi mode"}));
  hp.music_status = "stopped";
  StopMusic();
  Sent();
  Notify(platform::MCI_NOTIFY_SUCCESSFUL);
  EXPECT_EQ(Sent(), Commands{});
  PlayMusic("a.mid", 0);  // without loop the end stops the piece
  Sent();
  Notify(platform::MCI_NOTIFY_SUCCESSFUL);
  EXPECT_EQ(Sent(), (Commands{"status midi mode", "stop midi", "close midi"}));
  EXPECT_EQ(g_music.playing, 0);
}

}  // namespace
