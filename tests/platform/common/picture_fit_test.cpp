// Fitting the picture to the output by the largest whole factor, centred, and
// the pointer's way back into picture pixels.
#include <gtest/gtest.h>

#include <vector>

#include "platform/common/picture_fit.h"

namespace {

std::vector<int> area(int outWidth, int outHeight, int width, int height) {
  const PictureArea a = fitPicture(outWidth, outHeight, width, height);
  return {a.x, a.y, a.width, a.height};
}

TEST(PictureFit, ScalesByTheLargestWholeFactorCentredOnBlack) {
  // Full screen on common desktops.
  EXPECT_EQ(area(1920, 1080, 640, 480), (std::vector<int>{320, 60, 1280, 960}));
  EXPECT_EQ(area(1024, 768, 320, 240), (std::vector<int>{32, 24, 960, 720}));
  EXPECT_EQ(area(1280, 1024, 320, 240), (std::vector<int>{0, 32, 1280, 960}));
  // A window of exactly the game's size, or twice it, is filled.
  EXPECT_EQ(area(640, 480, 640, 480), (std::vector<int>{0, 0, 640, 480}));
  EXPECT_EQ(area(640, 480, 320, 240), (std::vector<int>{0, 0, 640, 480}));
  // An output smaller than the picture gets it shrunk, keeping its shape.
  EXPECT_EQ(area(800, 480, 640, 480), (std::vector<int>{80, 0, 640, 480}));
  EXPECT_EQ(area(320, 480, 640, 480), (std::vector<int>{0, 120, 320, 240}));
  EXPECT_EQ(area(640, 100, 640, 480), (std::vector<int>{253, 0, 133, 100}));
  // Never less than a pixel, and nothing for no output or no picture.
  EXPECT_EQ(area(1, 1000, 640, 480), (std::vector<int>{0, 499, 1, 1}));
  EXPECT_EQ(area(0, 480, 640, 480), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(area(640, 480, 0, 480), (std::vector<int>{0, 0, 0, 0}));
}

TEST(PictureFit, ThePointerLandsOnPicturePixelsClampedToThePicture) {
  const PictureArea hd = fitPicture(1920, 1080, 640, 480);
  int x = -1, y = -1;
  outputToPicture(hd, 640, 480, 320 + 2 * 100 + 1, 60 + 2 * 50, &x, &y);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 50);
  outputToPicture(hd, 640, 480, 5, 1079, &x, &y);  // on the bars: nearest edge
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 479);
  outputToPicture(hd, 640, 480, 1919, 0, &x, &y);
  EXPECT_EQ(x, 639);
  EXPECT_EQ(y, 0);
  // A picture shrunk to half: one output pixel covers two picture pixels.
  const PictureArea small = fitPicture(320, 480, 640, 480);
  outputToPicture(small, 640, 480, 160, 120 + 60, &x, &y);
  EXPECT_EQ(x, 320);
  EXPECT_EQ(y, 120);
  // Nothing shown yet: the point stays as it is.
  outputToPicture(PictureArea{0, 0, 0, 0}, 640, 480, 700, -3, &x, &y);
  EXPECT_EQ(x, 700);
  EXPECT_EQ(y, -3);
}

}  // namespace
