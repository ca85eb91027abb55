#include "sounds.h"

#include "names.h"
#include "synth.h"

namespace {

// A struck bell: a fundamental with two inharmonic partials.
Samples Bell(float frequency, float seconds, float decay) {
  Samples s = Oscillate(seconds, Constant(frequency), Wave::kSine);
  MixInto(s, Oscillate(seconds, Constant(frequency * 2.76f), Wave::kSine), 0.3f);
  MixInto(s, Oscillate(seconds, Constant(frequency * 5.40f), Wave::kSine), 0.12f);
  Envelope(s, 0.003f, decay);
  return s;
}

Samples Burst(float seconds, uint32_t seed, float low, float high, float decay) {
  Samples s = Noise(seconds, seed);
  LowPass(s, Constant(high));
  LowPass(s, Constant(high));  // twice: a gentle one-pole alone leaves the burst hissy
  HighPass(s, Constant(low));
  Envelope(s, 0.001f, decay);
  return s;
}

// Confirm: a bright rising pair of chimes.
Samples Ok() {
  Samples s = Bell(880.0f, 0.45f, 7.0f);
  MixInto(s, Bell(1318.5f, 0.4f, 7.0f), 0.9f, 0.07f);
  return s;
}

// Cancel: a soft falling pair.
Samples Cancel() {
  Samples a = Oscillate(0.16f, Constant(659.3f), Wave::kTriangle);
  Envelope(a, 0.004f, 14.0f);
  Samples b = Oscillate(0.22f, Constant(440.0f), Wave::kTriangle);
  Envelope(b, 0.004f, 12.0f);
  MixInto(a, b, 1.0f, 0.08f);
  LowPass(a, Constant(2500.0f));
  return a;
}

// Cursor move: a short tick.
Samples Select() {
  Samples s = Oscillate(0.07f, Glide(1700.0f, 1150.0f, 0.05f), Wave::kSine);
  Envelope(s, 0.002f, 55.0f);
  return s;
}

// Wall: a dull wooden thud.
Samples CrashWall() {
  Samples s = Oscillate(0.3f, Glide(150.0f, 45.0f, 0.2f), Wave::kSine);
  Envelope(s, 0.002f, 14.0f);
  MixInto(s, Burst(0.15f, 11, 60.0f, 900.0f, 30.0f), 0.8f);
  return s;
}

// A wall of ice: a glassy ring over the knock.
Samples CrashIce() {
  Samples s = Oscillate(0.45f, Glide(1900.0f, 1500.0f, 0.4f), Wave::kSine);
  Envelope(s, 0.001f, 9.0f);
  MixInto(s, Oscillate(0.45f, Glide(2870.0f, 2260.0f, 0.4f), Wave::kSine), 0.4f);
  MixInto(s, Burst(0.06f, 17, 2000.0f, 9000.0f, 60.0f), 0.5f);
  return s;
}

// Two characters touching: a bright snap with a quick falling chirp, high above the music's
// bass and the thud of the walls, short enough to play on every frame of contact.
Samples CrashChar() {
  Samples s = Burst(0.03f, 23, 2500.0f, 11000.0f, 110.0f);
  Samples chirp = Oscillate(0.08f, Glide(2600.0f, 1500.0f, 0.06f), Wave::kSoftSquare);
  Envelope(chirp, 0.001f, 45.0f);
  MixInto(s, chirp, 0.8f);
  HighPass(s, Constant(600.0f));
  return s;
}

// Stone: a hard knock with a short ring.
Samples CrashObj() {
  Samples s = Burst(0.1f, 37, 700.0f, 4000.0f, 60.0f);
  Samples ring = Oscillate(0.28f, Constant(523.0f), Wave::kSine);
  MixInto(ring, Oscillate(0.28f, Constant(1290.0f), Wave::kSine), 0.5f);
  Envelope(ring, 0.001f, 18.0f);
  MixInto(s, ring, 0.7f);
  return s;
}

// Firing: a rising zing with a breath of air.
Samples Shot() {
  Samples s = Oscillate(0.24f, Glide(520.0f, 2100.0f, 0.16f), Wave::kSine);
  MixInto(s, Oscillate(0.24f, Glide(1040.0f, 4200.0f, 0.16f), Wave::kSine), 0.25f);
  Envelope(s, 0.006f, 12.0f);
  MixInto(s, Burst(0.2f, 41, 2500.0f, 9000.0f, 18.0f), 0.35f);
  return s;
}

// A miss: the spark fizzles out downwards.
Samples ShotMiss() {
  Samples s = Oscillate(0.32f, Glide(900.0f, 220.0f, 0.3f), Wave::kTriangle);
  Envelope(s, 0.01f, 9.0f);
  Samples fizz = Noise(0.32f, 53);
  LowPass(fizz, Glide(3000.0f, 300.0f, 0.3f));
  Envelope(fizz, 0.01f, 8.0f);
  MixInto(s, fizz, 0.8f);
  return s;
}

// A hit: a crack, a metallic ring and a low punch.
Samples ShotHit() {
  Samples s = Burst(0.03f, 67, 1500.0f, 9000.0f, 120.0f);
  Samples ring = Bell(1400.0f, 0.3f, 16.0f);
  MixInto(s, ring, 0.6f);
  Samples punch = Oscillate(0.16f, Glide(130.0f, 60.0f, 0.12f), Wave::kSine);
  Envelope(punch, 0.001f, 22.0f);
  MixInto(s, punch, 0.9f);
  return s;
}

// Defeat: a burst that darkens as it fades, over a low rumble and crackles.
Samples Bomb() {
  Samples s = Noise(0.9f, 79);
  LowPass(s, Glide(5000.0f, 180.0f, 0.8f));
  Envelope(s, 0.002f, 4.5f);
  Samples rumble = Oscillate(0.9f, Glide(70.0f, 32.0f, 0.7f), Wave::kSine);
  Envelope(rumble, 0.004f, 4.0f);
  MixInto(s, rumble, 0.7f);
  for (int i = 0; i < 9; ++i)
    MixInto(s, Burst(0.025f, 90 + i, 1200.0f, 7000.0f, 150.0f), 0.4f - 0.03f * i,
            0.05f + 0.07f * i);
  return s;
}

}  // namespace

void WriteSounds(const Pack& pack) {
  // Peaks stay at -6 dBFS and below, so that several effects at once leave the mix headroom.
  const struct {
    const char* role;
    Samples (*make)();
    float peak;
  } effects[] = {{"ok", Ok, 0.4f},
                 {"cancel", Cancel, 0.35f},
                 {"select", Select, 0.3f},
                 {"crash_wall", CrashWall, 0.5f},
                 {"crash_ice", CrashIce, 0.4f},
                 {"crash_char", CrashChar, 0.5f},
                 {"crash_obj", CrashObj, 0.4f},
                 {"shot", Shot, 0.4f},
                 {"shot_miss", ShotMiss, 0.35f},
                 {"shot_hit", ShotHit, 0.5f},
                 {"bomb", Bomb, 0.5f}};
  for (const auto& e : effects) {
    Samples s = e.make();
    Finish(s, e.peak);
    pack.Sound(name::Sound(e.role), s);
  }
}
