// Where the picture lands on the output: scaled by the largest whole factor
// that fits and centred, so pixels stay square and sharp, with black around
// it. And the way back, from a point of the output to a picture pixel.
#pragma once

struct PictureArea {
  int x, y, width, height;
};

// A width x height picture in an output of outWidth x outHeight. An output
// smaller than the picture gets it shrunk to fit, keeping its shape; no
// picture or no output gives an empty area at 0, 0.
PictureArea fitPicture(int outWidth, int outHeight, int width, int height);

// A point of the output in picture pixels, clamped to the picture (a point on
// the black border takes the nearest edge). Without an area or a picture the
// point stays as it is.
void outputToPicture(const PictureArea &area, int pictureWidth, int pictureHeight, int outX, int outY, int *x,
                     int *y);
