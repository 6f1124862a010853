#pragma once
// What an edit asks of the edit zone. The editing engine draws nothing: each call is a notice
// (TNotificateur::saisieModifiee) that the edit zone follows at once, and nothing happens while
// no edit zone is shown.
void RafraichirZoneSaisie();
void DessinerSignature();
void RedessinerCurseur();
// One beat of the current measure of the current track, with its marks and those of the beat
// before.
void RedessinerTemps(int temps);
void DessinerEffetsTemps(int temps, bool cascade);
void DessinerTriolets();
void DessinerRythme();
void DessinerLigneAccords();
void DessinerLigneTextes();
void DessinerRenvoiDebut();
void DessinerRenvoiFin();
void DessinerRepetition();
