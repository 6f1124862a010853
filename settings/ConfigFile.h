#pragma once
// Loading and saving every setting in "Vexo220.ini" in the config folder.
#include <QString>

QString CheminFichierConfig();
// Reads the settings file and loads the language file (asks for a language at first start).
void ChargerConfig();
// Writes every setting back (at close).
void EnregistrerConfig();
