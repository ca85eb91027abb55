// The seam between the game and the operating system. Everything the game
// needs from the desktop goes through one Platform object: the SDL backend
// for real play, the headless backend for tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Virtual-key codes, as the game polls and receives them.
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_F5 = 0x74;
constexpr int VK_F10 = 0x79;

// Codes carried by a music-notify message.
constexpr uint32_t MCI_NOTIFY_SUCCESSFUL = 1;
constexpr uint32_t MCI_NOTIFY_SUPERSEDED = 2;
constexpr uint32_t MCI_NOTIFY_ABORTED = 4;
constexpr uint32_t MCI_NOTIFY_FAILURE = 8;

enum class MsgKind {
  kNone,
  kKeyDown,      // wparam: virtual-key code
  kSysKeyDown,   // wparam: virtual-key code (Alt held, or F10)
  kClose,        // the user asked the window to close
  kDestroy,      // the window has been destroyed
  kQuit,         // ends the message loop
  kActivateApp,  // wparam: 1 active, 0 inactive
  kMove,         // lparam: client origin, x in the low and y in the high 16 bits
  kMusicNotify,  // wparam: MCI_NOTIFY_* code
  kSetCursor,
  kPadButton,    // a game-controller press; wparam: the virtual-key code it stands for
  kPadRemoved,   // the game controller in use was unplugged
  kMouseDown,    // a left click; lparam: the point in picture coordinates, packed as kMove's
  kDisplayMode,  // the player switched the display; wparam: 1 full screen, 0 windowed
};

struct Message {
  MsgKind kind = MsgKind::kNone;
  uint32_t wparam = 0;
  uint32_t lparam = 0;
};

// Message box styles and answers, with the values of the old desktop API.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_SYSTEMMODAL = 0x1000;
constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// A picture decoded from a file: 0x00RRGGBB pixels, rows top to bottom.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

// A view of 16-bit pixels that the platform may draw text into.
struct PixelView {
  uint16_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int pitch = 0;  // in pixels
};

// What a sound buffer holds: the wave's own format.
struct WaveFormat {
  uint16_t format_tag = 1;
  uint16_t channels = 1;
  uint32_t samples_per_sec = 22050;
  uint32_t avg_bytes_per_sec = 44100;
  uint16_t block_align = 2;
  uint16_t bits_per_sample = 16;
  std::vector<uint8_t> extra;  // the bytes after the extra-size field; none for PCM
};

// Every call is made from the game's one thread; none throws. Strings are
// UTF-8 unless named sjis. Nothing here keeps a pointer it was given.
class Platform {
 public:
  virtual ~Platform() = default;

  // Milliseconds since an arbitrary start; wraps at 2^32. Never blocks.
  virtual uint32_t Clock() = 0;

  // Creates the one main window, shown and active; in a window, never smaller
  // than 640x480, and above all other windows when topmost. false: no window
  // could be made (the caller ends the program). Called once until the window
  // is destroyed. Destroying it posts nothing; without a window it does nothing.
  virtual bool CreateMainWindow(const std::string& caption, bool full_screen, bool topmost) = 0;
  virtual void DestroyMainWindow() = 0;
  // Gives the main window its icon (black is transparent); nothing without a
  // window or when the pixels do not fill width x height.
  virtual void SetWindowIcon(const Image& icon) = 0;

  // The message queue. PeekMessage takes the oldest message without waiting;
  // false when none is queued. WaitMessage blocks until one is queued (posted
  // messages count). PostMessage queues a message behind those already queued.
  virtual bool PeekMessage(Message& out) = 0;
  virtual void WaitMessage() = 0;
  virtual void PostMessage(const Message& message) = 0;

  // Shows or hides the mouse cursor (a second call with the same value changes
  // nothing); CursorPos gives it in desktop pixels.
  virtual void ShowCursor(bool show) = 0;
  virtual void CursorPos(int& x, int& y) = 0;

  // A box where the game cannot draw one (no display): the texts go to standard
  // error and the default button answers. Returns IDOK, IDYES or IDNO. Beep
  // sounds the alert and returns at once.
  virtual int MessageBox(const std::string& text, const std::string& caption, unsigned style) = 0;
  // The game has drawn a box and waits for its answer among the messages.
  virtual void BoxOpened(const std::string& text, const std::string& caption, unsigned style) = 0;
  virtual void Beep() = 0;

  // The display shows a width x height RGB565 picture, scaled to the window.
  // OpenDisplay: false when it cannot be set up. WaitVerticalBlank blocks until
  // the next frame may be shown (false: no display). PresentFrame copies the
  // picture (pitch in pixels) and paces to the display's rate; it may block up
  // to one refresh period. Without an open display, or with a size other than
  // the display's, it shows nothing. OpenDisplay again replaces the display;
  // CloseDisplay without one does nothing.
  virtual bool OpenDisplay(int width, int height, bool full_screen) = 0;
  virtual void CloseDisplay() = 0;
  virtual bool WaitVerticalBlank() = 0;
  virtual void PresentFrame(const uint16_t* pixels, int width, int height, int pitch) = 0;
  // The same, for the very picture presented last time: a backend need not
  // look at the pixels again, but paces and counts the frame as PresentFrame.
  virtual void PresentAgain(const uint16_t* pixels, int width, int height, int pitch) {
    PresentFrame(pixels, width, height, pitch);
  }
  // True once after the display lost its surfaces (a render device reset):
  // the caller reloads every picture.
  virtual bool SurfacesLost() = 0;
  // Makes the desktop visible under a box in full screen.
  virtual void ShowDesktop() = 0;

  // Decodes a BMP file into out; false when it cannot be read, is not a picture,
  // or claims more than the game could use, and why says so in English ("no such file").
  virtual bool LoadBitmap(const std::string& path, Image& out, std::string& why) = 0;
  // Draws Shift-JIS text into target, clipped to it; colours are 0x00BBGGRR.
  // Without a font it draws nothing (said once on standard error).
  // DrawText writes whole pixels in the two colours, never a blend with what
  // is there: drawing the same text twice gives the picture of drawing it once.
  virtual void DrawText(PixelView target, int x, int y, const std::string& sjis_text, int face,
                        int height, uint32_t text_colour, uint32_t back_colour,
                        bool transparent) = 0;

  // Sound effects. OpenSound: false when there is no sound device (every other
  // call then does nothing). CreateSoundBuffer copies the wave's bytes and
  // returns a handle >= 0, or -1 when it cannot be played. PlayBuffer stops,
  // rewinds and plays the buffer once, without blocking, at pan -100 (left
  // only) to 100 (right only); 0 is both sides at full level, as unpanned. A handle that is
  // negative, was never given or is released does nothing in Play, Stop and
  // Release (releasing twice is harmless); a released handle may be given out
  // again. OpenSound again while open returns true.
  virtual bool OpenSound() = 0;
  virtual void CloseSound() = 0;
  virtual int CreateSoundBuffer(const WaveFormat& format, const uint8_t* data, size_t bytes) = 0;
  virtual void PlayBuffer(int buffer, int pan) = 0;
  virtual void StopBuffer(int buffer) = 0;
  virtual void ReleaseBuffer(int buffer) = 0;

  // Music: one of the media-control command strings the game sends. Returns 0
  // on success; answer, when given, receives the reply ("status midi mode").
  // The end of a piece played with notify arrives later as a kMusicNotify message.
  // A command it does not know returns non-zero and changes nothing (the
  // headless backend records every string and returns 0).
  virtual int SendMusicCommand(const std::string& command, std::string* answer) = 0;
  // Music and effect volumes, 0 (silent) to 100 (as recorded); values outside
  // are held to that range. They last across OpenSound and CloseSound.
  virtual void SetVolumes(int music, int sound) = 0;

  // Input, polled. KeyDown: the key (or what stands for it on a controller) is
  // held now. JoystickButtons: false when that joystick is not there (only
  // joystick 0 can be), mask then left as it was; mask bit n is button n + 1,
  // buttons past 32 unseen. RescanJoysticks takes up joysticks plugged in since.
  virtual bool KeyDown(int vk) = 0;
  virtual bool JoystickButtons(unsigned joystick, uint32_t& mask) = 0;
  virtual void RescanJoysticks() = 0;
  // The controller buttons down now stop counting as held keys until pressed
  // again: a press that confirmed a menu does not also fire.
  virtual void SpendPadPress() = 0;

  // Absolute path of the running program.
  virtual std::string ProgramPath() = 0;
};

// The one platform of this process, chosen at start-up.
Platform& Get();
void Set(Platform* platform);

}  // namespace platform
