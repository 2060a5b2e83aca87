#include "platform/common/picture_fit.h"

#include <algorithm>
#include <cstdint>

PictureArea fitPicture(int outWidth, int outHeight, int width, int height) {
  if (width <= 0 || height <= 0 || outWidth <= 0 || outHeight <= 0) return {0, 0, 0, 0};
  const int factor = std::min(outWidth / width, outHeight / height);
  int w, h;
  if (factor >= 1) {
    w = width * factor;
    h = height * factor;
  } else if (static_cast<int64_t>(outWidth) * height <= static_cast<int64_t>(outHeight) * width) {
    w = outWidth;
    h = static_cast<int>(static_cast<int64_t>(height) * outWidth / width);
  } else {
    h = outHeight;
    w = static_cast<int>(static_cast<int64_t>(width) * outHeight / height);
  }
  w = std::max(w, 1);
  h = std::max(h, 1);
  return {(outWidth - w) / 2, (outHeight - h) / 2, w, h};
}

void outputToPicture(const PictureArea &a, int pictureWidth, int pictureHeight, int outX, int outY, int *x,
                     int *y) {
  if (a.width <= 0 || a.height <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
    *x = outX;
    *y = outY;
    return;
  }
  const int64_t px = static_cast<int64_t>(outX - a.x) * pictureWidth / a.width;
  const int64_t py = static_cast<int64_t>(outY - a.y) * pictureHeight / a.height;
  *x = static_cast<int>(std::clamp<int64_t>(px, 0, pictureWidth - 1));
  *y = static_cast<int>(std::clamp<int64_t>(py, 0, pictureHeight - 1));
}
