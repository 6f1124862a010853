#pragma once
// A whole WAV sound held in memory and played from there, and the stored form it is kept in:
// a 32-bit little-endian byte count followed by exactly that many bytes.
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

// The largest sound file read: over six minutes of CD-quality stereo, far beyond a start-up sound.
inline constexpr qint64 kTailleWaveMax = qint64(64) << 20;

// The image of a 16-bit PCM WAV file (RIFF header and data) holding the given samples,
// interleaved when there are several channels.
std::vector<uint8_t> WaveImage(const std::vector<int16_t>& samples, int sampleRate, int channels);

class TWaveData {
 public:
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  int Size() const { return static_cast<int>(bytes_.size()); }
  bool IsEmpty() const { return bytes_.empty(); }
  void Empty() { bytes_.clear(); }
  void SetFromBuffer(const uint8_t* data, int count);
  // nullptr empties; other data are copied.
  void Assign(const TWaveData* source);

  // The stored form: nothing at all when empty.
  std::vector<uint8_t> WriteData() const;
  // Reads a stored form; false (and empty data) when the count is negative or runs past the bytes.
  bool ReadData(const uint8_t* data, size_t size);
  // The whole file; a missing or unreadable file, anything but a regular file (never opened) and
  // a file above kTailleWaveMax give empty data.
  void LoadFromFile(const QString& fileName);
  // Plays asynchronously; false when empty or when it cannot be played.
  bool Play() const;

 private:
  std::vector<uint8_t> bytes_;
};

class TWave {
 public:
  TWaveData& WaveData() { return data_; }
  const TWaveData& WaveData() const { return data_; }
  void SetWaveData(const TWaveData& d) { data_.Assign(&d); }
  std::function<void(TWave*)> OnPlay;
  // Fires OnPlay, then plays the data.
  bool Play();
  // How the sound is played; the audio output by default, tests replace it.
  static std::function<bool(const std::vector<uint8_t>&)> Player;

 private:
  TWaveData data_;
};
