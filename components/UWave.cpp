#include "components/UWave.h"

#include <cstring>

#include "platform/CheckedFile.h"
#include "platform/SonMemoire.h"

namespace {
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void PutTag(std::vector<uint8_t>& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(tag[i]));
}
}  // namespace

std::vector<uint8_t> WaveImage(const std::vector<int16_t>& samples, int sampleRate, int channels) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  const uint16_t blockAlign = static_cast<uint16_t>(channels * 2);
  std::vector<uint8_t> b;
  b.reserve(44 + dataBytes);
  PutTag(b, "RIFF");
  Put32(b, 36 + dataBytes);
  PutTag(b, "WAVE");
  PutTag(b, "fmt ");
  Put32(b, 16);
  Put16(b, 1);  // PCM
  Put16(b, static_cast<uint16_t>(channels));
  Put32(b, static_cast<uint32_t>(sampleRate));
  Put32(b, static_cast<uint32_t>(sampleRate) * blockAlign);
  Put16(b, blockAlign);
  Put16(b, 16);
  PutTag(b, "data");
  Put32(b, dataBytes);
  for (int16_t s : samples) Put16(b, static_cast<uint16_t>(s));
  return b;
}

void TWaveData::SetFromBuffer(const uint8_t* data, int count) {
  bytes_.clear();
  if (data && count > 0) bytes_.assign(data, data + count);
}

void TWaveData::Assign(const TWaveData* source) {
  if (!source) {
    Empty();
    return;
  }
  if (source != this) bytes_ = source->bytes_;
}

std::vector<uint8_t> TWaveData::WriteData() const {
  std::vector<uint8_t> b;
  if (bytes_.empty()) return b;
  Put32(b, static_cast<uint32_t>(bytes_.size()));
  b.insert(b.end(), bytes_.begin(), bytes_.end());
  return b;
}

bool TWaveData::ReadData(const uint8_t* data, size_t size) {
  Empty();
  if (!data || size < 4) return false;
  int32_t count = 0;
  for (int i = 0; i < 4; ++i) count |= static_cast<int32_t>(static_cast<uint32_t>(data[i]) << (8 * i));
  // The count comes from the stream: it must not run past what the stream holds.
  if (count < 0 || static_cast<size_t>(count) > size - 4) return false;
  SetFromBuffer(data + 4, count);
  return true;
}

void TWaveData::LoadFromFile(const QString& fileName) {
  Empty();
  QByteArray all;
  if (ReadFileChecked(fileName, kTailleWaveMax, &all) != EFileRead::Ok) return;
  SetFromBuffer(reinterpret_cast<const uint8_t*>(all.constData()), static_cast<int>(all.size()));
}

bool TWaveData::Play() const {
  if (bytes_.empty()) return false;
  return TWave::Player ? TWave::Player(bytes_) : false;
}

std::function<bool(const std::vector<uint8_t>&)> TWave::Player = [](const std::vector<uint8_t>& wav) {
  return JouerSonMemoire(wav);
};

bool TWave::Play() {
  if (OnPlay) OnPlay(this);
  return data_.Play();
}
