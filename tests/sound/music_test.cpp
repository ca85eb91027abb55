#include "library/sound/music.h"

#include <string>
#include <vector>

#include "shell/shell.h"
#include "support/headless_test.h"

namespace {

using Commands = std::vector<std::string>;

const std::string kSeek = "seek midi to start";
const std::string kPlay = "play midi notify";
const std::string kStatus = "status midi mode";

class MusicTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    hp.program_path = "/opt/lantern drift/lantern-drift";
    MusicReset();
  }

  void Notify(uint32_t code) { WindowProc({platform::MsgKind::kMusicNotify, code, 0}); }
};

TEST_F(MusicTest, PlayOpensSeeksAndPlaysWithNotify) {
  PlayMusic("Music\\title.mid", 1);
  EXPECT_EQ(hp.music_commands,
            (Commands{"open \"/opt/lantern drift/Music\\title.mid\" type sequencer alias midi",
                      kSeek, kPlay}));
  EXPECT_EQ(g_music.playing, 1);
}

TEST_F(MusicTest, PlayOverAPlayingPieceClosesItFirst) {
  PlayMusic("Music\\title.mid", 1);
  hp.music_commands.clear();
  PlayMusic("Music\\stage1.mid", 1);
  EXPECT_EQ(hp.music_commands,
            (Commands{"stop midi", "close midi",
                      "open \"/opt/lantern drift/Music\\stage1.mid\" type sequencer alias midi",
                      kSeek, kPlay}));
}

TEST_F(MusicTest, StopTwiceSendsStopAndCloseOnce) {
  PlayMusic("a.mid", 1);
  hp.music_commands.clear();
  StopMusic();
  StopMusic();
  EXPECT_EQ(hp.music_commands, (Commands{"stop midi", "close midi"}));
  EXPECT_EQ(g_music.playing, 0);
}

TEST_F(MusicTest, OnlyASuccessfulEndOfAStoppedPieceRestartsIt) {
  PlayMusic("a.mid", 1);
  hp.music_commands.clear();
  Notify(platform::MCI_NOTIFY_SUCCESSFUL);
  EXPECT_EQ(hp.music_commands, (Commands{kStatus, kSeek, kPlay}));

  hp.music_commands.clear();
  Notify(platform::MCI_NOTIFY_ABORTED);
  Notify(platform::MCI_NOTIFY_SUPERSEDED);
  hp.music_status = "playing";
  Notify(platform::MCI_NOTIFY_SUCCESSFUL);
  EXPECT_EQ(hp.music_commands, (Commands{kStatus}));

  hp.music_commands.clear();
  hp.music_status = "stopped";
  StopMusic();
  Notify(platform::MCI_NOTIFY_SUCCESSFUL);
  EXPECT_EQ(hp.music_commands, (Commands{"stop midi", "close midi"}));
}

TEST_F(MusicTest, EndWithoutLoopStopsThePiece) {
  PlayMusic("a.mid", 0);
  hp.music_commands.clear();
  hp.EndMusic();
  platform::Message m;
  while (hp.PeekMessage(m)) WindowProc(m);
  EXPECT_EQ(hp.music_commands, (Commands{kStatus, "stop midi", "close midi"}));
  EXPECT_EQ(g_music.playing, 0);
}

}  // namespace
