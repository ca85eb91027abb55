#include <gtest/gtest.h>

#include <filesystem>

#include "library/draw/draw_fixture.h"

namespace {

using SpriteObjectTest = DrawTest;

constexpr uint16_t kRed = Pack565(31, 0, 0);
constexpr uint16_t kBlue = Pack565(0, 0, 31);

// A failed load reports and gives its slot back, so even many of them leave
// every slot free.
TEST_F(SpriteObjectTest, LoadsTakeTheLowestFreeSlotFromTwo) {
  WritePicture("img/a.bmp", 1, {kRed});
  WriteFile("img/bad.bmp", test_bytes::Bytes{'B', 'M', 1, 2, 3});
  EXPECT_EQ(g_draw.LoadObject("img\\A.BMP", 2), 2);
  EXPECT_EQ(g_draw.LoadObject("img\\a.bmp", 1), 3);
  g_draw.ReleaseObject(2);
  g_draw.ReleaseObject(2);  // a free slot: nothing happens
  EXPECT_TRUE(hp.boxes.empty());
  EXPECT_EQ(g_draw.LoadObject("img\\missing.bmp", 2), 0);
  EXPECT_EQ(LastBox(), "elDraw::LoadObject : BMPファイルを読み込めません");
  for (int i = 0; i < elDraw::kObjects; ++i) ASSERT_EQ(g_draw.LoadObject("img\\bad.bmp", 2), 0);
  EXPECT_EQ(g_draw.LoadObject("img\\a.bmp", 2), 2);
  EXPECT_EQ(g_draw.Slot(2).name, "img\\a.bmp");
  EXPECT_EQ(g_draw.LoadedCount(), 2);
}

// Pictures come back from their files. A display that keeps saying "lost" costs
// one reload a frame, not one a copy; a failed restore leaves the slot named
// until it is released.
TEST_F(SpriteObjectTest, ALossIsRestoredFromTheFileOnceAFrame) {
  constexpr uint16_t kGreen = Pack565(0, 63, 0);
  const int o = Picture(2, {kRed, kRed});
  const auto draw_after_loss = [&](uint16_t file_colour) {
    WritePicture("img/p0.bmp", 2, {file_colour, file_colour});
    hp.lose_surfaces_once = true;
    FillBack(0x1234);
    g_draw.DrawObject(0, 0, o, 0, 0, 2, 1);
  };
  draw_after_loss(kBlue);
  EXPECT_EQ(Back(0, 0), 0x1234) << "the loss is noticed";
  draw_after_loss(kGreen);
  EXPECT_EQ(Back(0, 0), kBlue) << "the second loss of the frame waits for the next";
  g_draw.Present();
  FillBack(0x1234);
  g_draw.DrawObject(0, 0, o, 0, 0, 2, 1);
  EXPECT_EQ(Back(0, 0), 0x1234) << "noticed in the next frame";
  g_draw.DrawObject(0, 0, o, 0, 0, 2, 1);
  EXPECT_EQ(Back(0, 0), kGreen);
  std::filesystem::remove("img/p0.bmp");
  g_draw.RestoreObjects();
  EXPECT_EQ(LastBox(), "elDraw::SwapObject : BMPファイルを読み込めません");
  EXPECT_FALSE(g_draw.Slot(o).has_surface);
  EXPECT_EQ(g_draw.Slot(o).name, "img\\p0.bmp");
  g_draw.ReleaseObject(o);
  EXPECT_EQ(g_draw.LoadedCount(), 0);
}

TEST_F(SpriteObjectTest, HandlesOutsideTheTableAreRefused) {
  for (int handle : {-1, elDraw::kObjects, INT32_MIN, INT32_MAX}) {
    g_draw.ReleaseObject(handle);
    g_draw.DrawObject(0, 0, handle, 0, 0, 1, 1);
    EXPECT_EQ(g_draw.SwapObject("img\\a.bmp", handle, 2) +
                  g_draw.DrawObjectHalf(0, 0, handle, 0, 0, 1, 1) +
                  g_draw.DrawObjectAlpha(0, 0, 0.5f, handle, 0, 0, 1, 1),
              0)
        << handle;
  }
  EXPECT_TRUE(hp.boxes.empty());
}

}  // namespace
