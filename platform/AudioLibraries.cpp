#include "platform/AudioLibraries.h"

#include <dlfcn.h>

namespace {
// The table with every function found, or null; the library stays open for the whole run.
template <class Api, class Remplir>
const Api* Ouvrir(const char* nom, Remplir remplir) {
  void* lib = dlopen(nom, RTLD_NOW | RTLD_LOCAL);
  if (!lib) return nullptr;
  static Api api;
  bool complet = true;
  remplir(api, [&](const char* symbole) {
    void* f = dlsym(lib, symbole);
    complet = complet && f;
    return f;
  });
  return complet ? &api : nullptr;
}
}  // namespace

#define VEXO_TROUVER(f) a.f = reinterpret_cast<decltype(a.f)>(trouver(#f));

const TFluidSynthApi* FluidSynthApi() {
  static const TFluidSynthApi* api = Ouvrir<TFluidSynthApi>(VEXO_FLUIDSYNTH_SONAME, [](TFluidSynthApi& a, auto trouver) {
    VEXO_FONCTIONS_FLUIDSYNTH(VEXO_TROUVER)
  });
  return api;
}

const TSdlApi* SdlApi() {
  static const TSdlApi* api = Ouvrir<TSdlApi>(VEXO_SDL2_SONAME, [](TSdlApi& a, auto trouver) {
    VEXO_FONCTIONS_SDL(VEXO_TROUVER)
  });
  return api;
}
