#pragma once
// Moving between measures, validating the current measure, and its two safety copies: the
// one-level undo copy taken before every edit and the origin copy that cancel-measure restores.

void SauverAnnulation();
void AnnulerModification();
void AnnulerMesure();
void ValiderMesure();
void MesurePrecedente();
void PremiereMesure();
void MesureSuivante();
void DerniereMesure();
void AllerAMesure();

