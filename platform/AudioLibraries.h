#pragma once
// FluidSynth and SDL are opened when first needed instead of with the program: between them they
// bring some forty shared libraries, and loading those before main() would delay the first window.
// Each table holds the functions the platform layer calls; a null table means the library (or one
// of its functions) is missing, and the program then runs silent.
#include <SDL.h>
#include <fluidsynth.h>

#define VEXO_FONCTIONS_FLUIDSYNTH(X)                                                                   \
  X(new_fluid_settings) X(delete_fluid_settings) X(fluid_settings_setstr) X(fluid_settings_setint)     \
  X(fluid_settings_setnum) X(fluid_settings_getint) X(fluid_settings_getnum) X(fluid_set_log_function) \
  X(new_fluid_synth) X(delete_fluid_synth) X(fluid_synth_sfload) X(fluid_synth_noteon)                 \
  X(fluid_synth_noteoff) X(fluid_synth_cc) X(fluid_synth_key_pressure) X(fluid_synth_channel_pressure) \
  X(fluid_synth_pitch_bend) X(fluid_synth_program_change) X(fluid_synth_program_select)                \
  X(fluid_synth_all_sounds_off) X(new_fluid_audio_driver) X(delete_fluid_audio_driver)                 \
  X(new_fluid_player) X(delete_fluid_player) X(fluid_player_add) X(fluid_player_play)                  \
  X(fluid_player_get_status) X(new_fluid_file_renderer) X(delete_fluid_file_renderer)                  \
  X(fluid_file_renderer_process_block) X(fluid_synth_get_active_voice_count)

#define VEXO_FONCTIONS_SDL(X)                                                                          \
  X(SDL_SetHint) X(SDL_InitSubSystem) X(SDL_QuitSubSystem) X(SDL_RWFromConstMem) X(SDL_LoadWAV_RW)     \
  X(SDL_FreeWAV) X(SDL_OpenAudioDevice) X(SDL_QueueAudio) X(SDL_GetQueuedAudioSize)                    \
  X(SDL_PauseAudioDevice) X(SDL_CloseAudioDevice)

#define VEXO_MEMBRE_API(f) decltype(&::f) f = nullptr;
struct TFluidSynthApi {
  VEXO_FONCTIONS_FLUIDSYNTH(VEXO_MEMBRE_API)
};
struct TSdlApi {
  VEXO_FONCTIONS_SDL(VEXO_MEMBRE_API)
};
#undef VEXO_MEMBRE_API

// Opened on the first call (from any thread), then the same table for the rest of the run.
const TFluidSynthApi* FluidSynthApi();
const TSdlApi* SdlApi();
