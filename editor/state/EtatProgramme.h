#pragma once
// The program's state beside the song: the open file, the modified mark, MIDI output, and the
// main window's switches that the commands and playback read.
#include <QChar>
#include <QString>
#include <cstdint>

extern const QString TitreProgramme;  // the caption's program name
extern QString CheminFichier;
extern QString NomFichier;
extern uint8_t Modifie;
extern uint8_t Vierge;
extern uint8_t MIDIDisponible;
extern uint8_t PremiereActivation;
extern uint8_t FermetureEnCours;
extern uint8_t PleinEcranActif;
extern uint8_t PleinEcranAvantLecture;
extern uint8_t PleinEcranAvantParcourir;
extern uint8_t LectureDepuisBande;
extern QChar SeparateurDecimal;
// The song holds changes worth saving: modified, and not a new song nobody has touched yet. Save is
// offered, and the save question asked, exactly then.
inline bool PartitionModifiee() { return Modifie != 0 && Vierge == 0; }
extern bool PrefOuvert, ApercuOuvert, SaisAcOuvert, CopierToutesPistes, ModeParcourir;
