#include "platform/SonMemoire.h"

#include <cstdlib>
#include <mutex>

#include "platform/AudioLibraries.h"

namespace {
// Only called once InitialiserAudio() has found the library.
const TSdlApi& Sdl() { return *SdlApi(); }

// The start-up sound starts from a worker thread while the GUI thread may ask or stop.
std::recursive_mutex verrou;
SDL_AudioDeviceID peripherique = 0;
bool sdlPret = false;

bool InitialiserAudio() {
  if (sdlPret) return true;
  if (!SdlApi()) return false;
  // The audio subsystem only: the windows are Qt's.
  // Ctrl+C and the window system's close stay Qt's.
  Sdl().SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (Sdl().SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  sdlPret = true;
  std::atexit([] {
    std::lock_guard<std::recursive_mutex> garde(verrou);
    ArreterSonMemoire();
    if (sdlPret) Sdl().SDL_QuitSubSystem(SDL_INIT_AUDIO);
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
  SDL_RWops* flux = Sdl().SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size()));
  if (!flux) return false;
  SDL_AudioSpec format;
  Uint8* echantillons = nullptr;
  Uint32 longueur = 0;
  if (!Sdl().SDL_LoadWAV_RW(flux, 1, &format, &echantillons, &longueur)) return false;
  format.callback = nullptr;  // queued, not pulled
  peripherique = Sdl().SDL_OpenAudioDevice(nullptr, 0, &format, nullptr, 0);
  bool ok = peripherique != 0 && Sdl().SDL_QueueAudio(peripherique, echantillons, longueur) == 0;
  Sdl().SDL_FreeWAV(echantillons);
  if (!ok) {
    ArreterSonMemoire();
    return false;
  }
  Sdl().SDL_PauseAudioDevice(peripherique, 0);
  return true;
}

bool SonMemoireEnCours() {
  std::lock_guard<std::recursive_mutex> garde(verrou);
  return peripherique != 0 && Sdl().SDL_GetQueuedAudioSize(peripherique) > 0;
}

void ArreterSonMemoire() {
  std::lock_guard<std::recursive_mutex> garde(verrou);
  if (peripherique != 0) Sdl().SDL_CloseAudioDevice(peripherique);
  peripherique = 0;
}
