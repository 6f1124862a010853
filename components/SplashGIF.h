#pragma once
// The splash picture: drawn once, stored as a GIF by our encoder and shown through our decoder.
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

#include "platform/Folders.h"

inline constexpr int kLargeurSplash = 279, kHauteurSplash = 176;

// The picture as GIF89a bytes: 279 x 176 pixels, 256-colour global table, background index 255,
// one interlaced image with LZW code size 8, no extensions.
std::vector<uint8_t> SplashGIFBytes();
// The largest "splash.gif" read: eight times what SplashGIFBytes() gives (about 8 KB). The file is
// the program's own; anything larger is not it.
inline constexpr qint64 kTailleSplashMax = qint64(64) << 10;
// The picture the splash window shows: the build draws those bytes once into "splash.gif" in the
// program folder, read from there; drawn here when that file is missing, not a regular file, larger
// than kTailleSplashMax or not this picture (its first frame is decoded only when it has the
// picture's size).
QImage SplashPicture(const QString& programFolder = DossierProgramme());
