#include "settings/ConfigFile.h"

#include "editor/Globals.h"

// Placeholder until the settings file lands: the built-in defaults are used and nothing is saved.
QString CheminFichierConfig() { return RepWindows + "Vexo220.ini"; }
void ChargerConfig() {}
void EnregistrerConfig() {}
