#pragma once
// Loading and saving every setting in "Vexo220.ini" in the config folder: the general options,
// the live screen and print layouts with their three user presets, the language, the recent
// files, the working folder, the help language, the last tuning and the chord library.
// Sections this program does not know (the file browser's "Browser") are kept as they are.
#include <QString>
#include <functional>

#include "settings/Config.h"

QString CheminFichierConfig();
// Reads the settings file and loads the language file; at first start, or when the language file
// is gone, choisirLangue asks for one and leaves it in PatcheLangue (the language dialog).
// Sets RepertoireAppli and RepWindows from the program and config folders when they are empty.
void ChargerConfig(int piste, const std::function<void()>& choisirLangue);
// The tuning last used is read into, and saved from, track `piste`.
// Writes every setting back (at close). False when the file could not be written.
bool EnregistrerConfig(int piste = 1);

// The layouts a missing file gives, for the preferences' Default buttons. A preset screen layout
// has wider line margins than the live one.
void ParamEcranParDefaut(TParamEcran& p, bool preset);
void ZoneImpressionParDefaut(TZoneImpression& z);
