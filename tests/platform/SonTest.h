#pragma once
// The small General MIDI SoundFont that the tests needing sound use, whatever default-GM.sf2
// points at on the machine (a large font would spend the run loading samples).
#include <gtest/gtest.h>

#include <QFileInfo>

inline constexpr const char* kSoundFontTest = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// Skips the test, saying why, where the font is missing.
#define EXIGER_SOUNDFONT()                                                                     \
  if (!QFileInfo::exists(QString::fromLatin1(kSoundFontTest)))                                 \
  GTEST_SKIP() << "needs the SoundFont " << kSoundFontTest << " (package timgm6mb-soundfont)"
