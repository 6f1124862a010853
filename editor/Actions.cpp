#include "editor/Actions.h"

#include <QAction>
#include <QKeySequence>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>

using T = TActionsPrincipales;

namespace {
// The member and the name of a row come from one word, so that they cannot differ.
#define ACTION(nom) .Membre = &T::nom, .Nom = #nom

// A row that leaves a column out is an error, not a zero.
#pragma GCC diagnostic push
#pragma GCC diagnostic error "-Wmissing-field-initializers"
constexpr TDefAction Lignes[] = {
    {ACTION(Ac_Fichier_Nouveau), .Categorie = "Fichier", .Caption = "Nouveau", .Raccourci = "Ctrl+N",
     .Tag = 0, .ImageIndex = 0, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 2, .LigneBouton = 2, .Points = true, .Glyphe = "New"},
    {ACTION(Ac_Fichier_Ouvrir), .Categorie = "Fichier", .Caption = "Ouvrir", .Raccourci = "Ctrl+O",
     .Tag = 0, .ImageIndex = 1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 3, .LigneBouton = 3, .Points = true, .Glyphe = "Open"},
    {ACTION(Ac_Fichier_Parcourir), .Categorie = "Fichier", .Caption = "Parcourir", .Raccourci = "Ctrl+B",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 4, .LigneBouton = 0, .Points = true, .Glyphe = ""},
    {ACTION(Ac_Fichier_Enregistrer), .Categorie = "Fichier", .Caption = "Enregistrer", .Raccourci = "Ctrl+S",
     .Tag = 0, .ImageIndex = 2, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 5, .LigneBouton = 5, .Points = false, .Glyphe = "Save"},
    {ACTION(Ac_Fichier_EnregistrerSous), .Categorie = "Fichier", .Caption = "Enregistrer sous", .Raccourci = "",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 6, .LigneBouton = 0, .Points = true, .Glyphe = ""},
    {ACTION(Ac_Fichier_Proprietes), .Categorie = "Fichier", .Caption = "Propriétés", .Raccourci = "F5",
     .Tag = 0, .ImageIndex = 3, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 7, .LigneBouton = 7, .Points = true, .Glyphe = "Prop"},
    {ACTION(Ac_Fichier_ImporterMIDI), .Categorie = "Fichier", .Caption = "MIDI", .Raccourci = "",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 11, .LigneBouton = 0, .Points = true, .Glyphe = ""},
    {ACTION(Ac_Fichier_ImporterASCII), .Categorie = "Fichier", .Caption = "ASCII", .Raccourci = "",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 12, .LigneBouton = 0, .Points = true, .Glyphe = ""},
    {ACTION(Ac_Fichier_ExporterMIDI), .Categorie = "Fichier", .Caption = "MIDI", .Raccourci = "",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 11, .LigneBouton = 0, .Points = true, .Glyphe = ""},
    {ACTION(Ac_Fichier_ExporterASCII), .Categorie = "Fichier", .Caption = "ASCII", .Raccourci = "",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 12, .LigneBouton = 0, .Points = true, .Glyphe = ""},
    {ACTION(Ac_Fichier_Imprimer), .Categorie = "Fichier", .Caption = "Imprimer", .Raccourci = "Ctrl+P",
     .Tag = 0, .ImageIndex = 4, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 13, .LigneBouton = 13, .Points = true, .Glyphe = "Prn"},
    {ACTION(Ac_Fichier_ApercuImp), .Categorie = "Fichier", .Caption = "Aperçu avant impression", .Raccourci = "",
     .Tag = 0, .ImageIndex = 5, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 14, .LigneBouton = 14, .Points = true, .Glyphe = "Prev"},
    {ACTION(Ac_Fichier_ConfigImp), .Categorie = "Fichier", .Caption = "Configuration de l'impression", .Raccourci = "",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 15, .LigneBouton = 0, .Points = true, .Glyphe = ""},
    {ACTION(Ac_Fichier_Quitter), .Categorie = "Fichier", .Caption = "Quitter", .Raccourci = "",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 16, .LigneBouton = 0, .Points = false, .Glyphe = ""},
    {ACTION(Ac_Edition_Annuler), .Categorie = "Edition", .Caption = "Annuler", .Raccourci = "Ctrl+Z",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 0, .LigneBouton = 0, .Points = false, .Glyphe = ""},
    {ACTION(Ac_Edition_Couper), .Categorie = "Edition", .Caption = "Couper", .Raccourci = "Ctrl+X",
     .Tag = 0, .ImageIndex = 6, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 18, .LigneBouton = 18, .Points = false, .Glyphe = "Cut"},
    {ACTION(Ac_Edition_Copier), .Categorie = "Edition", .Caption = "Copier", .Raccourci = "Ctrl+C",
     .Tag = 0, .ImageIndex = 7, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 19, .LigneBouton = 19, .Points = false, .Glyphe = "Copy"},
    {ACTION(Ac_Edition_Coller), .Categorie = "Edition", .Caption = "Coller", .Raccourci = "Ctrl+V",
     .Tag = 0, .ImageIndex = 8, .Hint = "", .Cochable = false, .ActifAuDepart = false,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 20, .LigneBouton = 20, .Points = false, .Glyphe = "Pst"},
    {ACTION(Ac_Edition_Inserer), .Categorie = "Edition", .Caption = "Insérer", .Raccourci = "",
     .Tag = 0, .ImageIndex = 9, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 21, .LigneBouton = 21, .Points = false, .Glyphe = "Ins"},
    {ACTION(Ac_Edition_Vider), .Categorie = "Edition", .Caption = "Vider", .Raccourci = "",
     .Tag = 0, .ImageIndex = 10, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 22, .LigneBouton = 22, .Points = false, .Glyphe = "Clr"},
    {ACTION(Ac_Edition_TableMix), .Categorie = "Edition", .Caption = "Table de mixage", .Raccourci = "F10",
     .Tag = 0, .ImageIndex = 11, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 23, .LigneBouton = 23, .Points = true, .Glyphe = "Mix"},
    {ACTION(Ac_Mesure_Premiere), .Categorie = "Mesure", .Caption = "Première mesure", .Raccourci = "Ctrl+Shift+Left",
     .Tag = 0, .ImageIndex = 12, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 26, .LigneBouton = 27, .Points = false, .Glyphe = "|<"},
    {ACTION(Ac_Mesure_Precedente), .Categorie = "Mesure", .Caption = "Mesure précédente", .Raccourci = "Ctrl+Left",
     .Tag = 0, .ImageIndex = 13, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 28, .LigneBouton = 29, .Points = false, .Glyphe = "<"},
    {ACTION(Ac_Mesure_AllerA), .Categorie = "Mesure", .Caption = "Aller à la mesure", .Raccourci = "Ctrl+Shift+Down",
     .Tag = 0, .ImageIndex = 14, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 30, .LigneBouton = 31, .Points = true, .Glyphe = "->#"},
    {ACTION(Ac_Mesure_Suivante), .Categorie = "Mesure", .Caption = "Mesure suivante", .Raccourci = "Ctrl+Right",
     .Tag = 0, .ImageIndex = 15, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 32, .LigneBouton = 33, .Points = false, .Glyphe = ">"},
    {ACTION(Ac_Mesure_Derniere), .Categorie = "Mesure", .Caption = "Dernière mesure", .Raccourci = "Ctrl+Shift+Right",
     .Tag = 0, .ImageIndex = 16, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 34, .LigneBouton = 35, .Points = false, .Glyphe = ">|"},
    {ACTION(Ac_Mesure_Signature), .Categorie = "Mesure", .Caption = "Signature", .Raccourci = "",
     .Tag = 0, .ImageIndex = 17, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 36, .LigneBouton = 37, .Points = true, .Glyphe = "4/4"},
    {ACTION(Ac_Mesure_RenvoiDebut), .Categorie = "Mesure", .Caption = "Début de reprise", .Raccourci = "",
     .Tag = 0, .ImageIndex = 18, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 38, .LigneBouton = 38, .Points = false, .Glyphe = "|:"},
    {ACTION(Ac_Mesure_RenvoiFin), .Categorie = "Mesure", .Caption = "Fin de reprise", .Raccourci = "",
     .Tag = 0, .ImageIndex = 19, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 39, .LigneBouton = 39, .Points = true, .Glyphe = ":|"},
    {ACTION(Ac_Mesure_Repetitions), .Categorie = "Mesure", .Caption = "Répétitions", .Raccourci = "",
     .Tag = 0, .ImageIndex = 20, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 40, .LigneBouton = 40, .Points = true, .Glyphe = "1."},
    {ACTION(Ac_Note_Ronde), .Categorie = "Note", .Caption = "Ronde", .Raccourci = "",
     .Tag = 0, .ImageIndex = 21, .Hint = "(+/-)", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 42, .LigneBouton = 0, .Points = false, .Glyphe = "1"},
    {ACTION(Ac_Note_Blanche), .Categorie = "Note", .Caption = "Blanche", .Raccourci = "",
     .Tag = 0, .ImageIndex = 22, .Hint = "(+/-)", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 43, .LigneBouton = 0, .Points = false, .Glyphe = "2"},
    {ACTION(Ac_Note_Noire), .Categorie = "Note", .Caption = "Noire", .Raccourci = "",
     .Tag = 0, .ImageIndex = 23, .Hint = "(+/-)", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 44, .LigneBouton = 0, .Points = false, .Glyphe = "4"},
    {ACTION(Ac_Note_Croche), .Categorie = "Note", .Caption = "Croche", .Raccourci = "",
     .Tag = 0, .ImageIndex = 24, .Hint = "(+/-)", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 45, .LigneBouton = 0, .Points = false, .Glyphe = "8"},
    {ACTION(Ac_Note_DCroche), .Categorie = "Note", .Caption = "Double croche", .Raccourci = "",
     .Tag = 0, .ImageIndex = 25, .Hint = "(+/-)", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 46, .LigneBouton = 0, .Points = false, .Glyphe = "16"},
    {ACTION(Ac_Note_TCroche), .Categorie = "Note", .Caption = "Triple croche", .Raccourci = "",
     .Tag = 0, .ImageIndex = 26, .Hint = "(+/-)", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 47, .LigneBouton = 0, .Points = false, .Glyphe = "32"},
    {ACTION(Ac_Note_QCroche), .Categorie = "Note", .Caption = "Quadruple croche", .Raccourci = "",
     .Tag = 0, .ImageIndex = 27, .Hint = "(+/-)", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 48, .LigneBouton = 0, .Points = false, .Glyphe = "64"},
    {ACTION(Ac_Note_Pointee), .Categorie = "Note", .Caption = "Pointée", .Raccourci = "\\",
     .Tag = 0, .ImageIndex = 28, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 49, .LigneBouton = 49, .Points = false, .Glyphe = "."},
    {ACTION(Ac_Note_Accord), .Categorie = "Note", .Caption = "Accord", .Raccourci = "A",
     .Tag = 0, .ImageIndex = 29, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 50, .LigneBouton = 50, .Points = true, .Glyphe = "Am"},
    {ACTION(Ac_Note_Annotation), .Categorie = "Note", .Caption = "Annotation", .Raccourci = "T",
     .Tag = 0, .ImageIndex = 30, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 51, .LigneBouton = 51, .Points = true, .Glyphe = "Txt"},
    {ACTION(Ac_Note_NoteEtouffee), .Categorie = "Note", .Caption = "Note étouffée", .Raccourci = "X",
     .Tag = 0, .ImageIndex = 31, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 52, .LigneBouton = 52, .Points = false, .Glyphe = "x"},
    {ACTION(Ac_Note_Silence), .Categorie = "Note", .Caption = "Silence", .Raccourci = "S",
     .Tag = 0, .ImageIndex = 32, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 53, .LigneBouton = 53, .Points = false, .Glyphe = "Sil"},
    {ACTION(Ac_Note_Triolet), .Categorie = "Note", .Caption = "Triolet", .Raccourci = "",
     .Tag = 0, .ImageIndex = 33, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 54, .LigneBouton = 54, .Points = false, .Glyphe = "3"},
    {ACTION(Ac_Note_Lier), .Categorie = "Note", .Caption = "Lier", .Raccourci = "L",
     .Tag = 0, .ImageIndex = 34, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 55, .LigneBouton = 55, .Points = false, .Glyphe = "Tie"},
    {ACTION(Ac_Note_InsererTemps), .Categorie = "Note", .Caption = "Insérer un temps", .Raccourci = "Ins",
     .Tag = 0, .ImageIndex = 35, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 56, .LigneBouton = 56, .Points = false, .Glyphe = "+T"},
    {ACTION(Ac_Note_SupprimerTemps), .Categorie = "Note", .Caption = "Supprimer le temps", .Raccourci = "Ctrl+Del",
     .Tag = 0, .ImageIndex = 36, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 57, .LigneBouton = 57, .Points = false, .Glyphe = "-T"},
    {ACTION(Ac_Note_CopierTempsfin), .Categorie = "Note", .Caption = "Copier le temps à la fin", .Raccourci = "C",
     .Tag = 0, .ImageIndex = 37, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 58, .LigneBouton = 58, .Points = false, .Glyphe = "T>"},
    {ACTION(Ac_Note_DeplacerHaut), .Categorie = "Note", .Caption = "Déplacer la note vers le haut", .Raccourci = "Ctrl+Up",
     .Tag = 0, .ImageIndex = 38, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 59, .LigneBouton = 60, .Points = false, .Glyphe = "^"},
    {ACTION(Ac_Note_DeplacerBas), .Categorie = "Note", .Caption = "Déplacer la note vers le bas", .Raccourci = "Ctrl+Down",
     .Tag = 0, .ImageIndex = 39, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 61, .LigneBouton = 62, .Points = false, .Glyphe = "v"},
    {ACTION(Ac_Effet_HO), .Categorie = "Effets", .Caption = "Hammer-on", .Raccourci = "H",
     .Tag = 1, .ImageIndex = 40, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Effet_HO,
     .LigneMenu = 64, .LigneBouton = 64, .Points = false, .Glyphe = "h"},
    {ACTION(Ac_Effet_PO), .Categorie = "Effets", .Caption = "Pull-off", .Raccourci = "P",
     .Tag = 2, .ImageIndex = 41, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Effet_HO,
     .LigneMenu = 65, .LigneBouton = 65, .Points = false, .Glyphe = "p"},
    {ACTION(Ac_Effet_SlideUp), .Categorie = "Effets", .Caption = "Slide montant", .Raccourci = "U",
     .Tag = 3, .ImageIndex = 42, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Effet_HO,
     .LigneMenu = 66, .LigneBouton = 66, .Points = false, .Glyphe = "/"},
    {ACTION(Ac_Effet_SlideDown), .Categorie = "Effets", .Caption = "Slide descendant", .Raccourci = "D",
     .Tag = 4, .ImageIndex = 43, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Effet_HO,
     .LigneMenu = 67, .LigneBouton = 67, .Points = false, .Glyphe = "\\"},
    {ACTION(Ac_Effet_Bend), .Categorie = "Effets", .Caption = "Bend", .Raccourci = "B",
     .Tag = 5, .ImageIndex = 44, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 68, .LigneBouton = 68, .Points = true, .Glyphe = "b"},
    {ACTION(Ac_Effet_BendRelease), .Categorie = "Effets", .Caption = "Bend && Release", .Raccourci = "R",
     .Tag = 6, .ImageIndex = 45, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 69, .LigneBouton = 69, .Points = true, .Glyphe = "br"},
    {ACTION(Ac_Effet_LetRing), .Categorie = "Effets", .Caption = "Let ring", .Raccourci = "I",
     .Tag = 7, .ImageIndex = 46, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Effet_HO,
     .LigneMenu = 70, .LigneBouton = 70, .Points = false, .Glyphe = "LR"},
    {ACTION(Ac_Effet_GraceNote), .Categorie = "Effets", .Caption = "Note d'ornement", .Raccourci = "G",
     .Tag = 0, .ImageIndex = 47, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 71, .LigneBouton = 71, .Points = true, .Glyphe = "gr"},
    {ACTION(Ac_Effet_GhostNote), .Categorie = "Effets", .Caption = "Note fantôme", .Raccourci = "",
     .Tag = 0, .ImageIndex = 48, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 72, .LigneBouton = 72, .Points = false, .Glyphe = "(n)"},
    {ACTION(Ac_Effet_VibMainGauche), .Categorie = "Effets", .Caption = "Vibrato main gauche", .Raccourci = "V",
     .Tag = 1, .ImageIndex = 49, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Effet_VibMainGauche,
     .LigneMenu = 73, .LigneBouton = 73, .Points = false, .Glyphe = "~"},
    {ACTION(Ac_Effet_TremoloBar), .Categorie = "Effets", .Caption = "Vibrato au levier", .Raccourci = "",
     .Tag = 2, .ImageIndex = 50, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Effet_VibMainGauche,
     .LigneMenu = 74, .LigneBouton = 74, .Points = false, .Glyphe = "w"},
    {ACTION(Ac_Effet_CoupDeVibrato), .Categorie = "Effets", .Caption = "Coup de vibrato", .Raccourci = "",
     .Tag = 3, .ImageIndex = 51, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 75, .LigneBouton = 75, .Points = true, .Glyphe = "\\/"},
    {ACTION(Ac_Effet_FadeIn), .Categorie = "Effets", .Caption = "Fade in", .Raccourci = "F",
     .Tag = 4, .ImageIndex = 52, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Effet_VibMainGauche,
     .LigneMenu = 78, .LigneBouton = 78, .Points = false, .Glyphe = "<"},
    {ACTION(Ac_Effet_TappingMD), .Categorie = "Effets", .Caption = "Tapping main droite", .Raccourci = "",
     .Tag = 5, .ImageIndex = 53, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Effet_VibMainGauche,
     .LigneMenu = 79, .LigneBouton = 79, .Points = false, .Glyphe = "T"},
    {ACTION(Ac_Effet_Slap), .Categorie = "Effets", .Caption = "Slap", .Raccourci = "",
     .Tag = 6, .ImageIndex = 54, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Effet_VibMainGauche,
     .LigneMenu = 80, .LigneBouton = 80, .Points = false, .Glyphe = "S"},
    {ACTION(Ac_Effet_Pop), .Categorie = "Effets", .Caption = "Pop", .Raccourci = "",
     .Tag = 7, .ImageIndex = 55, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Effet_VibMainGauche,
     .LigneMenu = 81, .LigneBouton = 81, .Points = false, .Glyphe = "P"},
    {ACTION(Ac_Effet_HarmNat), .Categorie = "Effets", .Caption = "Harmonique naturelle", .Raccourci = "",
     .Tag = 8, .ImageIndex = 56, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Effet_VibMainGauche,
     .LigneMenu = 76, .LigneBouton = 76, .Points = false, .Glyphe = "<>"},
    {ACTION(Ac_Effet_HarmArt), .Categorie = "Effets", .Caption = "Harmonique artificielle", .Raccourci = "",
     .Tag = 9, .ImageIndex = 57, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Effet_VibMainGauche,
     .LigneMenu = 77, .LigneBouton = 77, .Points = false, .Glyphe = "AH"},
    {ACTION(Ac_Effet_BrushUp), .Categorie = "Effets", .Caption = "Brush montant", .Raccourci = "Ctrl+U",
     .Tag = 1, .ImageIndex = 58, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Effet_BrushUp,
     .LigneMenu = 82, .LigneBouton = 82, .Points = true, .Glyphe = "B^"},
    {ACTION(Ac_Effet_BrushDown), .Categorie = "Effets", .Caption = "Brush descendant", .Raccourci = "Ctrl+D",
     .Tag = 2, .ImageIndex = 59, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Effet_BrushUp,
     .LigneMenu = 83, .LigneBouton = 83, .Points = true, .Glyphe = "Bv"},
    {ACTION(Ac_Dyna_ppp), .Categorie = "Dyna", .Caption = "(very) pianissimo", .Raccourci = "",
     .Tag = 0, .ImageIndex = 60, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 0, .LigneBouton = 0, .Points = false, .Glyphe = "ppp"},
    {ACTION(Ac_Dyna_pp), .Categorie = "Dyna", .Caption = "pianissimo", .Raccourci = "",
     .Tag = 0, .ImageIndex = 61, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 0, .LigneBouton = 0, .Points = false, .Glyphe = "pp"},
    {ACTION(Ac_Dyna_p), .Categorie = "Dyna", .Caption = "piano", .Raccourci = "",
     .Tag = 0, .ImageIndex = 62, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 0, .LigneBouton = 0, .Points = false, .Glyphe = "p"},
    {ACTION(Ac_Dyna_mp), .Categorie = "Dyna", .Caption = "mezo piano", .Raccourci = "",
     .Tag = 0, .ImageIndex = 63, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 0, .LigneBouton = 0, .Points = false, .Glyphe = "mp"},
    {ACTION(Ac_Dyna_mf), .Categorie = "Dyna", .Caption = "mezo forte", .Raccourci = "",
     .Tag = 0, .ImageIndex = 64, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 0, .LigneBouton = 0, .Points = false, .Glyphe = "mf"},
    {ACTION(Ac_Dyna_f), .Categorie = "Dyna", .Caption = "forte", .Raccourci = "",
     .Tag = 0, .ImageIndex = 65, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 0, .LigneBouton = 0, .Points = false, .Glyphe = "f"},
    {ACTION(Ac_Dyna_ff), .Categorie = "Dyna", .Caption = "fortissimo", .Raccourci = "",
     .Tag = 0, .ImageIndex = 66, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 0, .LigneBouton = 0, .Points = false, .Glyphe = "ff"},
    {ACTION(Ac_Dyna_fff), .Categorie = "Dyna", .Caption = "(very) fortissimo", .Raccourci = "",
     .Tag = 0, .ImageIndex = 67, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 0, .LigneBouton = 0, .Points = false, .Glyphe = "fff"},
    {ACTION(Ac_Ass_Transposer), .Categorie = "Assistants", .Caption = "Transposer", .Raccourci = "",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 86, .LigneBouton = 0, .Points = true, .Glyphe = ""},
    {ACTION(Ac_Ass_Redecouper), .Categorie = "Assistants", .Caption = "Redécouper", .Raccourci = "",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 87, .LigneBouton = 0, .Points = true, .Glyphe = ""},
    {ACTION(Ac_Ass_CompleterReduire), .Categorie = "Assistants", .Caption = "Compléter / réduire", .Raccourci = "",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 88, .LigneBouton = 0, .Points = false, .Glyphe = ""},
    {ACTION(Ac_Ass_PlacementAuto), .Categorie = "Assistants", .Caption = "Placement automatique", .Raccourci = "",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 89, .LigneBouton = 0, .Points = true, .Glyphe = ""},
    {ACTION(Ac_Ass_LetRingSelector), .Categorie = "Assistants", .Caption = "Let ring", .Raccourci = "",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 90, .LigneBouton = 0, .Points = true, .Glyphe = ""},
    {ACTION(Ac_Ass_Solfege), .Categorie = "Assistants", .Caption = "Solfège", .Raccourci = "",
     .Tag = 0, .ImageIndex = 68, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Panneau, .Execute = TExecute::Propre,
     .LigneMenu = 92, .LigneBouton = 92, .Points = false, .Glyphe = "Sol"},
    {ACTION(Ac_Ass_Percussion), .Categorie = "Assistants", .Caption = "Percussions", .Raccourci = "",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 93, .LigneBouton = 0, .Points = false, .Glyphe = ""},
    {ACTION(Ac_Ass_SpeedTrainer), .Categorie = "Assistants", .Caption = "Speed trainer", .Raccourci = "F7",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 94, .LigneBouton = 0, .Points = true, .Glyphe = ""},
    {ACTION(Ac_Ass_MontrerLetRing), .Categorie = "Assistants", .Caption = "Montrer les let ring", .Raccourci = "F11",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 109, .LigneBouton = 0, .Points = false, .Glyphe = ""},
    {ACTION(Ac_Ass_MontrerDyna), .Categorie = "Assistants", .Caption = "Montrer les nuances", .Raccourci = "F12",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 110, .LigneBouton = 0, .Points = false, .Glyphe = ""},
    {ACTION(Ac_Ass_VerifierDureeMesures), .Categorie = "Assistants", .Caption = "Vérifier la durée des mesures", .Raccourci = "F8",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 91, .LigneBouton = 0, .Points = true, .Glyphe = ""},
    {ACTION(Ac_Son_LectureDebut), .Categorie = "Son", .Caption = "Lecture depuis le début", .Raccourci = "",
     .Tag = 0, .ImageIndex = 69, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 96, .LigneBouton = 97, .Points = false, .Glyphe = "|>"},
    {ACTION(Ac_Son_LecturePosEC), .Categorie = "Son", .Caption = "Lecture depuis la mesure courante", .Raccourci = "",
     .Tag = 0, .ImageIndex = 70, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 98, .LigneBouton = 99, .Points = false, .Glyphe = ">"},
    {ACTION(Ac_Son_LectureMesureEC), .Categorie = "Son", .Caption = "Lecture de la mesure courante", .Raccourci = "",
     .Tag = 0, .ImageIndex = 71, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 100, .LigneBouton = 101, .Points = false, .Glyphe = "[>]"},
    {ACTION(Ac_Son_Stop), .Categorie = "Son", .Caption = "Stop", .Raccourci = "",
     .Tag = 0, .ImageIndex = 72, .Hint = "", .Cochable = false, .ActifAuDepart = false,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 102, .LigneBouton = 103, .Points = false, .Glyphe = "[]"},
    {ACTION(Ac_Son_EnBoucle), .Categorie = "Son", .Caption = "En boucle", .Raccourci = "",
     .Tag = 0, .ImageIndex = 73, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 104, .LigneBouton = 104, .Points = false, .Glyphe = "Loop"},
    {ACTION(Ac_Son_Metronome), .Categorie = "Son", .Caption = "Métronome", .Raccourci = "",
     .Tag = 0, .ImageIndex = 74, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 105, .LigneBouton = 105, .Points = false, .Glyphe = "Met"},
    {ACTION(Ac_Son_JouerSaisie), .Categorie = "Son", .Caption = "Jouer pendant la saisie", .Raccourci = "",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 106, .LigneBouton = 0, .Points = false, .Glyphe = ""},
    {ACTION(Ac_Options_Preferences), .Categorie = "Options", .Caption = "Préférences", .Raccourci = "F6",
     .Tag = 0, .ImageIndex = 75, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 8, .LigneBouton = 8, .Points = true, .Glyphe = "Pref"},
    {ACTION(Ac_Aide_Index), .Categorie = "Aide", .Caption = "Index", .Raccourci = "F1",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 114, .LigneBouton = 0, .Points = false, .Glyphe = ""},
    {ACTION(Ac_Aide_APropos), .Categorie = "Aide", .Caption = "A propos", .Raccourci = "",
     .Tag = 0, .ImageIndex = -1, .Hint = "", .Cochable = false, .ActifAuDepart = true,
     .Bouton = TBouton::Aucun, .Execute = TExecute::Propre,
     .LigneMenu = 117, .LigneBouton = 0, .Points = true, .Glyphe = ""},
    {ACTION(Ac_Affichage_PleinEcran), .Categorie = "Affichage", .Caption = "Plein écran", .Raccourci = "",
     .Tag = 0, .ImageIndex = 76, .Hint = "", .Cochable = true, .ActifAuDepart = true,
     .Bouton = TBouton::Barre, .Execute = TExecute::Propre,
     .LigneMenu = 108, .LigneBouton = 108, .Points = false, .Glyphe = "Full"},
};
#pragma GCC diagnostic pop
#undef ACTION

constexpr bool Egaux(const char* a, const char* b) {
  while (*a && *a == *b) ++a, ++b;
  return *a == *b;
}
constexpr bool Commence(const char* texte, const char* debut) {
  while (*debut)
    if (*texte++ != *debut++) return false;
  return true;
}

// What is wrong with a row of the table, if anything.
enum class TDefautLigne {
  Aucun,
  SansMembre,
  NomSansPrefixeAc,
  SansCategorie,
  ExecutePartageSansTag,  // the shared effect handlers store the command's tag
  BulleSansBouton,        // a hint line for a button that does not exist
  MembreRepete,
  NomRepete
};

constexpr TDefautLigne DefautLigne(std::size_t i) {
  const TDefAction& d = Lignes[i];
  if (!d.Membre) return TDefautLigne::SansMembre;
  if (!Commence(d.Nom, "Ac_")) return TDefautLigne::NomSansPrefixeAc;
  if (!*d.Categorie) return TDefautLigne::SansCategorie;
  if (d.Execute != TExecute::Propre && d.Tag == 0) return TDefautLigne::ExecutePartageSansTag;
  if (d.Bouton == TBouton::Aucun && d.LigneBouton != 0) return TDefautLigne::BulleSansBouton;
  for (const TDefAction& e : Lignes) {
    if (&d == &e) continue;
    if (d.Membre == e.Membre) return TDefautLigne::MembreRepete;
    if (Egaux(d.Nom, e.Nom)) return TDefautLigne::NomRepete;
  }
  return TDefautLigne::Aucun;
}

// The name of row i as a template argument, so that the compiler's message names the faulty row.
template <std::size_t N>
struct TNomLigne {
  char Texte[N];
};
constexpr std::size_t Longueur(const char* s) {
  std::size_t n = 0;
  while (s[n]) ++n;
  return n;
}
template <std::size_t I>
constexpr auto NomLigne() {
  TNomLigne<Longueur(Lignes[I].Nom) + 1> nom{};
  for (std::size_t k = 0; k < sizeof nom.Texte; ++k) nom.Texte[k] = Lignes[I].Nom[k];
  return nom;
}
template <TNomLigne Nom, TDefautLigne Defaut>
struct TLigneVerifiee {
  static_assert(Defaut == TDefautLigne::Aucun, "command-table row: its name and its fault are the template arguments above");
  static constexpr bool Valide = true;
};
template <std::size_t... I>
consteval bool TableValide(std::index_sequence<I...>) {
  return (TLigneVerifiee<NomLigne<I>(), DefautLigne(I)>::Valide && ...);
}
static_assert(std::size(Lignes) == NB_ACTIONS, "one row for every QAction member of TPointeursActions");
static_assert(TableValide(std::make_index_sequence<std::size(Lignes)>()));
}  // namespace

const std::array<TDefAction, NB_ACTIONS> TableActions = std::to_array(Lignes);

QString NomMenuAction(const char* nomAction) { return "Mn_" + QString::fromLatin1(nomAction).mid(3); }
QString NomBoutonAction(const char* nomAction) { return "Bt_" + QString::fromLatin1(nomAction).mid(3); }

QAction* TActionsPrincipales::Action(int indice) const {
  if (indice < 0 || indice >= NB_ACTIONS) return nullptr;
  return this->*TableActions[indice].Membre;
}

int TActionsPrincipales::IndiceAction(const QAction* a) const {
  if (!a) return -1;
  for (int i = 0; i < NB_ACTIONS; ++i)
    if (this->*TableActions[i].Membre == a) return i;
  return -1;
}

int IndiceMembre(TMembreAction membre) {
  for (int i = 0; i < NB_ACTIONS; ++i)
    if (TableActions[i].Membre == membre) return i;
  return -1;
}

// Every member has its row (checked above at compile time): the index is always found.
void TActionsPrincipales::DefinirExecute(TMembreAction membre, std::function<void()> f) {
  const int i = IndiceMembre(membre);
  if (Execute[i]) throw std::logic_error(std::string(TableActions[i].Nom) + " is bound twice");
  Execute[i] = std::move(f);
}

void TActionsPrincipales::RemplacerExecute(TMembreAction membre, std::function<void()> f) {
  Execute[IndiceMembre(membre)] = std::move(f);
}

void TActionsPrincipales::Executer(QAction* a) {
  int i = IndiceAction(a);
  if (i < 0 || !a->isEnabled()) return;
  if (Execute[i]) Execute[i]();
}
