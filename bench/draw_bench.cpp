// The heaviest game frame composed by elDraw, beside the same copies done by
// SDL's own blitters and one memcpy of a frame; then single copies per size,
// and a play frame shown through the window surface.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "library/draw/el_draw.h"
#include "platform/frame_scaler.h"
#include "platform/headless/headless_platform.h"

namespace {

constexpr int kW = 640, kH = 480;

struct Picture {
  int w, h;
  uint16_t (*pixel)(int x, int y);
};

uint16_t Background(int x, int y) { return static_cast<uint16_t>(0x0841 + x * 7 + y * 3) | 1; }
// A round sprite with black around it and a black hole.
uint16_t Ball(int x, int y) {
  const int dx = x - 24, dy = y - 24, r = dx * dx + dy * dy;
  return r > 22 * 22 || r < 6 * 6 ? 0 : static_cast<uint16_t>(0xFC00 + x);
}
uint16_t Spark(int x, int y) { return (x - 8) * (x - 8) + (y - 8) * (y - 8) > 56 ? 0 : 0xFFE0; }
uint16_t Strip(int x, int y) { return y < 2 || x % 160 == 0 ? 0xFFFF : (y % 8 == 0 ? 0 : 0x2104); }
uint16_t Digits(int x, int y) { return (x % 15 + y) % 3 == 0 ? 0 : 0xFFFF; }

const Picture kBackground{kW, kH, Background}, kBall{48, 48, Ball}, kSpark{16, 16, Spark},
    kStrip{639, 32, Strip}, kDigits{150, 20, Digits};

SDL_Surface* MakeSurface(const Picture& p) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, p.w, p.h, 16, SDL_PIXELFORMAT_RGB565);
  for (int y = 0; y < p.h; ++y)
    for (int x = 0; x < p.w; ++x)
      reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch)[x] =
          p.pixel(x, y);
  return s;
}

// elDraw on the headless platform, with the pictures loaded from BMP files.
struct Library {
  Library() {
    platform::Set(&hp);
    const std::string dir = (std::filesystem::temp_directory_path() / "ld-draw-bench/").string();
    std::filesystem::create_directories(dir);
    hp.program_path = dir + "bench";
    g_draw.Screen(kW, kH, 1);
    background = Load(dir, "bg", kBackground);
    ball = Load(dir, "ball", kBall);
    spark = Load(dir, "spark", kSpark);
    strip = Load(dir, "strip", kStrip);
    digits = Load(dir, "digits", kDigits);
  }
  int Load(const std::string& dir, const std::string& name, const Picture& p) {
    SDL_Surface* s = MakeSurface(p);
    SDL_SaveBMP(s, (dir + name + ".bmp").c_str());
    SDL_FreeSurface(s);
    return g_draw.LoadObject(name + ".bmp", 2);
  }
  platform::HeadlessPlatform hp;
  int background, ball, spark, strip, digits;
};

Library& Lib() {
  static Library library;
  return library;
}

// Where the frame's sprites go: spread over the screen, some cut at its edges.
int SpriteX(int i) { return (i * 83) % 680 - 20; }
int SpriteY(int i) { return (i * 47) % 500 - 10; }

void ComposeFrame(Library& l) {
  g_draw.DrawObjectOpaque(0, 0, l.background, 0, 0, kW, kH);
  for (int i = 0; i < 64; ++i) g_draw.DrawObject(SpriteX(i), SpriteY(i), l.ball, 0, 0, 48, 48);
  for (int i = 0; i < 64; ++i)
    g_draw.DrawObjectAlpha(300 + i * 3, 200 + i, static_cast<float>(64 - i) / 64.0f, l.spark, 0, 0,
                           16, 16);
  for (int i = 0; i < 8; ++i) g_draw.DrawObjectHalf(40 + i * 70, 300, l.ball, 0, 0, 48, 48);
  g_draw.DrawObject(0, 448, l.strip, 0, 0, 639, 32);
  for (int i = 0; i < 12; ++i) {
    const int d = i % 10;
    g_draw.DrawObject(420 + i * 15, 455, l.digits, d * 15, 0, d * 15 + 15, 20);
  }
  g_draw.DrawFps();
  l.hp.texts.clear();  // the headless platform keeps every text it was given
}

// Each iteration one frame. Reading the buffer marks it written, so that no
// frame is taken for a repeat of the one before and left undrawn.
void BM_FrameOurs(benchmark::State& state) {
  Library& l = Lib();
  for (auto _ : state) {
    ComposeFrame(l);
    benchmark::DoNotOptimize(g_draw.BackBuffer().pixels.data());
    g_draw.Present();
  }
}
BENCHMARK(BM_FrameOurs);

struct SdlScene {
  SdlScene()
      : target(SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 16, SDL_PIXELFORMAT_RGB565)),
        background(MakeSurface(kBackground)),
        ball(MakeSurface(kBall)),
        half(MakeSurface(kBall)),
        spark(MakeSurface(kSpark)),
        strip(MakeSurface(kStrip)),
        digits(MakeSurface(kDigits)) {
    for (SDL_Surface* s : {ball, half, spark, strip, digits}) SDL_SetColorKey(s, SDL_TRUE, 0);
    SDL_SetSurfaceBlendMode(half, SDL_BLENDMODE_BLEND);
    SDL_SetSurfaceAlphaMod(half, 128);
    SDL_SetSurfaceBlendMode(spark, SDL_BLENDMODE_BLEND);
  }
  SDL_Surface *target, *background, *ball, *half, *spark, *strip, *digits;
};

void Blit(SDL_Surface* s, int sx, int sy, int w, int h, SDL_Surface* t, int x, int y) {
  SDL_Rect from{sx, sy, w, h}, to{x, y, w, h};
  SDL_BlitSurface(s, &from, t, &to);
}

void BM_FrameSdl(benchmark::State& state) {
  static SdlScene s;
  for (auto _ : state) {
    Blit(s.background, 0, 0, kW, kH, s.target, 0, 0);
    for (int i = 0; i < 64; ++i) Blit(s.ball, 0, 0, 48, 48, s.target, SpriteX(i), SpriteY(i));
    for (int i = 0; i < 64; ++i) {
      SDL_SetSurfaceAlphaMod(s.spark, static_cast<Uint8>(255 * (64 - i) / 64));
      Blit(s.spark, 0, 0, 16, 16, s.target, 300 + i * 3, 200 + i);
    }
    for (int i = 0; i < 8; ++i) Blit(s.half, 0, 0, 48, 48, s.target, 40 + i * 70, 300);
    Blit(s.strip, 0, 0, 639, 32, s.target, 0, 448);
    for (int i = 0; i < 12; ++i)
      Blit(s.digits, (i % 10) * 15, 0, 15, 20, s.target, 420 + i * 15, 455);
    SDL_Rect box{0, 0, 210, 12};
    SDL_FillRect(s.target, &box, 0x0010);
    benchmark::DoNotOptimize(s.target->pixels);
  }
}
BENCHMARK(BM_FrameSdl);

// One copy of a w x h picture; each picture is the matching part of the background or ball.
void Sizes(benchmark::internal::Benchmark* b) {
  for (auto [w, h] : {std::pair{16, 16}, {48, 48}, {639, 32}, {640, 480}}) b->Args({w, h});
}

int PictureFor(Library& l, int w) {
  return w == 16 ? l.spark : w == 48 ? l.ball : w == 639 ? l.strip : l.background;
}
SDL_Surface* SurfaceFor(int w) {
  static SDL_Surface* spark = MakeSurface(kSpark);
  static SDL_Surface* ball = MakeSurface(kBall);
  static SDL_Surface* strip = MakeSurface(kStrip);
  static SDL_Surface* background = MakeSurface(kBackground);
  return w == 16 ? spark : w == 48 ? ball : w == 639 ? strip : background;
}

void BM_KeyedOurs(benchmark::State& state) {
  Library& l = Lib();
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const int o = PictureFor(l, w);
  for (auto _ : state) {
    g_draw.DrawObject(0, 0, o, 0, 0, w, h);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_KeyedOurs)->Apply(Sizes);

void BM_KeyedSdl(benchmark::State& state) {
  static SDL_Surface* target =
      SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 16, SDL_PIXELFORMAT_RGB565);
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  SDL_Surface* s = SurfaceFor(w);
  SDL_SetColorKey(s, SDL_TRUE, 0);
  for (auto _ : state) {
    Blit(s, 0, 0, w, h, target, 0, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_KeyedSdl)->Apply(Sizes);

void BM_OpaqueOurs(benchmark::State& state) {
  Library& l = Lib();
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const int o = PictureFor(l, w);
  for (auto _ : state) {
    g_draw.DrawObjectOpaque(0, 0, o, 0, 0, w, h);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OpaqueOurs)->Apply(Sizes);

void BM_OpaqueSdl(benchmark::State& state) {
  static SDL_Surface* target =
      SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 16, SDL_PIXELFORMAT_RGB565);
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  SDL_Surface* s = SurfaceFor(w);
  SDL_SetColorKey(s, SDL_FALSE, 0);
  for (auto _ : state) {
    Blit(s, 0, 0, w, h, target, 0, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OpaqueSdl)->Apply(Sizes);

// A play frame shown through the window surface at 1x and 2x: two pictures
// that differ where 64 sprites of 32 x 32 moved, shown in turn.
void BM_PresentSurface(benchmark::State& state) {
  const int scale = static_cast<int>(state.range(0));
  std::vector<uint32_t> window(static_cast<size_t>(kW * scale * kH * scale));
  std::vector<uint16_t> a(kW * kH);
  for (int i = 0; i < kW * kH; ++i) a[static_cast<size_t>(i)] = Background(i % kW, i / kW);
  std::vector<uint16_t> b = a;
  for (int i = 0; i < 64; ++i)
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        b[static_cast<size_t>(((i * 47) % 440 + y) * kW + (i * 83) % 600 + x)] ^= 0x1234;
  platform::FrameScaler scaler;
  scaler.SetTarget(
      {window.data(), kW * scale, kH * scale, kW * scale * 4, 4, 0xFF0000, 0xFF00, 0xFF, 0});
  bool odd = false;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scaler.Show((odd ? a : b).data(), kW, kH, kW));
    odd = !odd;
  }
}
BENCHMARK(BM_PresentSurface)->Arg(1)->Arg(2);

}  // namespace

BENCHMARK_MAIN();
