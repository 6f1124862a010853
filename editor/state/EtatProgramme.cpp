#include "editor/state/EtatProgramme.h"

const QString TitreProgramme = QStringLiteral("Strumquill 2.2");
QString CheminFichier;
QString NomFichier;
uint8_t Modifie = 0;
uint8_t Vierge = 0;
uint8_t MIDIDisponible = 0;
uint8_t PremiereActivation = 0;
uint8_t FermetureEnCours = 0;
uint8_t PleinEcranActif = 0;
uint8_t PleinEcranAvantLecture = 0;
uint8_t PleinEcranAvantParcourir = 0;
uint8_t LectureDepuisBande = 0;
QChar SeparateurDecimal = '.';
bool PrefOuvert = false, ApercuOuvert = false, SaisAcOuvert = false, CopierToutesPistes = false,
     ModeParcourir = false;
