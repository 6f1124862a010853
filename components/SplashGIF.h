#pragma once
// The splash picture: drawn once, stored as a GIF by our encoder and shown through our decoder.
#include <QImage>
#include <cstdint>
#include <vector>

// The picture as GIF89a bytes: 279 x 176 pixels, 256-colour global table, background index 255,
// one interlaced image with LZW code size 8, no extensions.
std::vector<uint8_t> SplashGIFBytes();
// The picture decoded from those bytes (what the splash window shows).
QImage SplashPicture();
