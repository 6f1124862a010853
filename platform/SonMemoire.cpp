#include "platform/SonMemoire.h"

#include <SDL.h>

#include <cstdlib>
#include <mutex>

namespace {
// The start-up sound starts from a worker thread while the GUI thread may ask or stop.
std::recursive_mutex verrou;
SDL_AudioDeviceID peripherique = 0;
bool sdlPret = false;

bool InitialiserAudio() {
  if (sdlPret) return true;
  // The audio subsystem only: the windows are Qt's.
  // Ctrl+C and the window system's close stay Qt's.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  sdlPret = true;
  std::atexit([] {
    std::lock_guard<std::recursive_mutex> garde(verrou);
    ArreterSonMemoire();
    if (sdlPret) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    sdlPret = false;
  });
  return true;
}
}  // namespace

bool JouerSonMemoire(const std::vector<uint8_t>& wav) {
  std::lock_guard<std::recursive_mutex> garde(verrou);
  ArreterSonMemoire();
  if (wav.size() < 44 || wav.size() > 0x7FFFFFFF) return false;
  if (!InitialiserAudio()) return false;
  SDL_RWops* flux = SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size()));
  if (!flux) return false;
  SDL_AudioSpec format;
  Uint8* echantillons = nullptr;
  Uint32 longueur = 0;
  if (!SDL_LoadWAV_RW(flux, 1, &format, &echantillons, &longueur)) return false;
  format.callback = nullptr;  // queued, not pulled
  peripherique = SDL_OpenAudioDevice(nullptr, 0, &format, nullptr, 0);
  bool ok = peripherique != 0 && SDL_QueueAudio(peripherique, echantillons, longueur) == 0;
  SDL_FreeWAV(echantillons);
  if (!ok) {
    ArreterSonMemoire();
    return false;
  }
  SDL_PauseAudioDevice(peripherique, 0);
  return true;
}

bool SonMemoireEnCours() {
  std::lock_guard<std::recursive_mutex> garde(verrou);
  return peripherique != 0 && SDL_GetQueuedAudioSize(peripherique) > 0;
}

void ArreterSonMemoire() {
  std::lock_guard<std::recursive_mutex> garde(verrou);
  if (peripherique != 0) SDL_CloseAudioDevice(peripherique);
  peripherique = 0;
}
