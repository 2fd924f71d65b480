#pragma once

// Hands pictures between CxImage and QImage, for display and for Qt's own readers and painters.
// The image's header and palette describe the rows handed over: 1-bit images become Format_Mono and 4- and
// 8-bit images Format_Indexed8, each with its colour table, whose entries carry the transparent index and
// palette alpha; 24-bit images become Format_RGB888. An image with an alpha plane, and a 24-bit image with
// a transparent colour, becomes Format_ARGB32 (not premultiplied).

#include "image/xImage.h"

#include <QImage>

QImage toQImage(const CxImage &image);

// Mono and Indexed8 pictures keep their indices and colour table (Indexed8 as 8 bits, Mono as 1 bit);
// every other format gives a 24-bit image, alpha dropped. False for a null picture, an alias or a picture
// too large to create (then with the image's error text).
bool fromQImage(CxImage &image, const QImage &source);
