#include "library/system/el_system.h"

#include "library/system/failure.h"
#include "library/system/file_lookup.h"
#include "platform/platform.h"

elSystem g_system;

void ResetSystem() {
  g_system = elSystem();
  UsePackDir("");
  UseGameDir("");
}

namespace {
constexpr const char* kSlotOutOfRange = "ウェイトNoが範囲外です";
bool ValidSlot(int slot) { return slot >= 1 && slot <= elSystem::kSlots; }
}  // namespace

int elSystem::SetWait(int slot, uint32_t ms) {
  if (!ValidSlot(slot)) return ReportError("elSystem::SetWait", kSlotOutOfRange);
  deadline_[static_cast<size_t>(slot - 1)] = platform::Get().Clock() + ms;
  return 1;
}

int elSystem::InitWait(int slot) {
  if (!ValidSlot(slot)) return ReportError("elSystem::InitWait", kSlotOutOfRange);
  deadline_[static_cast<size_t>(slot - 1)] = kDisarmed;
  return 1;
}

int elSystem::CheckWait(int slot) const {
  if (!ValidSlot(slot)) return 0;
  return platform::Get().Clock() > deadline_[static_cast<size_t>(slot - 1)] ? 1 : 0;
}

void elSystem::ResetWaits() { deadline_.fill(kDisarmed); }

uint32_t elSystem::Deadline(int slot) const {
  return ValidSlot(slot) ? deadline_[static_cast<size_t>(slot - 1)] : 0;
}
