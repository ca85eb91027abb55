// What the keys of our own add to a game: spare lives, continues, the hit
// grace and blink, the defeat shake, the boss bar, the time-up banner and the
// dimmed early enemies. Each does nothing while its key is 0.
#pragma once

#include <cstdint>

#include "content/stage_data.h"

// The colours of the boxes these keys draw, 0x00BBGGRR.
constexpr uint32_t kBoxGold = 0x0060C8FF, kBoxCream = 0x00D0F0FF, kBoxDark = 0x00200810;

// A new game, or a game carried on after game over: the next spare life's score.
void StartExtends();
// A spare life for each multiple of EXTEND_SCORE the score has reached.
void CheckExtends();
// EXTEND_STAGE spare lives for the stage just cleared.
void AddStageLives();

// A new stage starts without grace, blink or shake.
void ClearHitEffects();
// Damage the player took this frame (its hit points were hp_before) starts the
// grace and the blink; damage within the grace is taken back.
void GuardPlayerDamage(int hp_before);
// A player defeated this frame (its state was state_before) starts the shake.
void NoticePlayerDefeat(int state_before);

// Each play frame: the blink of a damaged player hides and shows it in turns.
void StepBlink();
// Whether character i is hidden this frame by the player's blink.
bool HiddenByBlink(int i);
// Whether character i, active before its turn, is drawn translucent.
bool DrawnDim(const Character& c);
void DrawBossBar();
// Shifts the drawn frame while the defeat shake lasts.
void ShakeFrame();

// true when a timed-out game shows its banner first; starts it.
bool StartTimeUp();
// The banner over the game screen; true once its time has passed.
bool TimeUpFrame();
