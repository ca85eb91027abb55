// elSystem: the ten wait slots.
#pragma once

#include <array>
#include <cstdint>

class elSystem {
 public:
  static constexpr int kSlots = 10;
  static constexpr uint32_t kDisarmed = 999999999u;

  int SetWait(int slot, uint32_t ms);
  int InitWait(int slot);
  int CheckWait(int slot) const;
  void ResetWaits();
  uint32_t Deadline(int slot) const;  // 0 for a slot outside 1..10

 private:
  std::array<uint32_t, kSlots> deadline_{};
};

extern elSystem g_system;

void ResetSystem();
