// elSound: the 70-object table of sound effects, each a wave on up to ten
// mixing buffers played round robin.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class elSound {
 public:
  static constexpr int kObjects = 70;
  static constexpr int kMaxMix = 10;
  static constexpr int kNameMax = 30;

  int InitSound();
  void ResetTable();
  int LoadObject(const std::string& name, int mix);
  // pan: -100 (left) to 100 (right), 0 in the middle as the old program played every effect.
  void PlayObject(int object, int buffer, int pan = 0);
  // Frees one object and its buffers, so its number can be used again.
  void ReleaseObject(int object);
  void ReleaseSound();

  bool Available() const { return available_; }
  bool Used(int object) const;
  int UsedCount() const;

 private:
  static std::array<int, kMaxMix> NoBuffers() {
    std::array<int, kMaxMix> none;
    none.fill(-1);
    return none;
  }
  struct Object {
    bool used = false;
    int mix = 1;
    std::array<int, kMaxMix> buffers = NoBuffers();  // platform handles, -1 for none
    int next = 0;
    std::string name;
  };
  static bool InTable(int object) { return object >= 0 && object < kObjects; }
  void FreeBuffers(Object& object);

  bool available_ = false;
  std::array<Object, kObjects> objects_;
};

extern elSound g_sound;

// Back to the state before InitSound (tests).
void ResetSound();
