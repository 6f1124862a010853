#include "editor/Actions.h"

#include <QAction>
#include <QKeySequence>

using T = TActionsPrincipales;

// Columns: member, name, category, design caption, shortcut, tag, image, hint, checkable, enabled,
// menu, button, on the toolbar, handler, caption line, hint line, "...", glyph.
const TDefAction TableActions[NB_ACTIONS] = {
    {&T::Ac_Fichier_Nouveau, "Ac_Fichier_Nouveau", "Fichier", "Nouveau", "Ctrl+N", 0, 0, "", false, true, "Mn_Fichier", "Bt_Fichier_Nouveau", true, "Ac_Fichier_NouveauExecute", 2, 2, true, "New"},
    {&T::Ac_Fichier_Ouvrir, "Ac_Fichier_Ouvrir", "Fichier", "Ouvrir", "Ctrl+O", 0, 1, "", false, true, "Mn_Fichier", "Bt_Fichier_Ouvrir", true, "Ac_Fichier_OuvrirExecute", 3, 3, true, "Open"},
    {&T::Ac_Fichier_Parcourir, "Ac_Fichier_Parcourir", "Fichier", "Parcourir", "Ctrl+B", 0, -1, "", false, true, "Mn_Fichier", "", false, "Ac_Fichier_ParcourirExecute", 4, 0, true, ""},
    {&T::Ac_Fichier_Enregistrer, "Ac_Fichier_Enregistrer", "Fichier", "Enregistrer", "Ctrl+S", 0, 2, "", false, true, "Mn_Fichier", "Bt_Fichier_Enregistrer", true, "Ac_Fichier_EnregistrerExecute", 5, 5, false, "Save"},
    {&T::Ac_Fichier_EnregistrerSous, "Ac_Fichier_EnregistrerSous", "Fichier", "Enregistrer sous", "", 0, -1, "", false, true, "Mn_Fichier", "", false, "Ac_Fichier_EnregistrerSousExecute", 6, 0, true, ""},
    {&T::Ac_Fichier_Proprietes, "Ac_Fichier_Proprietes", "Fichier", "Propriétés", "F5", 0, 3, "", false, true, "Mn_Fichier", "Bt_Fichier_Proprietes", true, "Ac_Fichier_ProprietesExecute", 7, 7, true, "Prop"},
    {&T::Ac_Fichier_ImporterMIDI, "Ac_Fichier_ImporterMIDI", "Fichier", "MIDI", "", 0, -1, "", false, true, "Mn_Fichier_Importer", "", false, "Ac_Fichier_ImporterMIDIExecute", 11, 0, true, ""},
    {&T::Ac_Fichier_ImporterASCII, "Ac_Fichier_ImporterASCII", "Fichier", "ASCII", "", 0, -1, "", false, true, "Mn_Fichier_Importer", "", false, "Ac_Fichier_ImporterASCIIExecute", 12, 0, true, ""},
    {&T::Ac_Fichier_ExporterMIDI, "Ac_Fichier_ExporterMIDI", "Fichier", "MIDI", "", 0, -1, "", false, true, "Mn_Fichier_Exporter", "", false, "Ac_Fichier_ExporterMIDIExecute", 11, 0, true, ""},
    {&T::Ac_Fichier_ExporterASCII, "Ac_Fichier_ExporterASCII", "Fichier", "ASCII", "", 0, -1, "", false, true, "Mn_Fichier_Exporter", "", false, "Ac_Fichier_ExporterASCIIExecute", 12, 0, true, ""},
    {&T::Ac_Fichier_Imprimer, "Ac_Fichier_Imprimer", "Fichier", "Imprimer", "Ctrl+P", 0, 4, "", false, true, "Mn_Fichier", "Bt_Fichier_Imprimer", true, "Ac_Fichier_ImprimerExecute", 13, 13, true, "Prn"},
    {&T::Ac_Fichier_ApercuImp, "Ac_Fichier_ApercuImp", "Fichier", "Aperçu avant impression", "", 0, 5, "", false, true, "Mn_Fichier", "Bt_Fichier_ApercuImp", true, "Ac_Fichier_ApercuImpExecute", 14, 14, true, "Prev"},
    {&T::Ac_Fichier_ConfigImp, "Ac_Fichier_ConfigImp", "Fichier", "Configuration de l'impression", "", 0, -1, "", false, true, "Mn_Fichier", "", false, "Ac_Fichier_ConfigImpExecute", 15, 0, true, ""},
    {&T::Ac_Fichier_Quitter, "Ac_Fichier_Quitter", "Fichier", "Quitter", "", 0, -1, "", false, true, "Mn_Fichier", "", false, "Ac_Fichier_QuitterExecute", 16, 0, false, ""},
    {&T::Ac_Edition_Annuler, "Ac_Edition_Annuler", "Edition", "Annuler", "Ctrl+Z", 0, -1, "", false, true, "", "", false, "Ac_Edition_AnnulerExecute", 0, 0, false, ""},
    {&T::Ac_Edition_Couper, "Ac_Edition_Couper", "Edition", "Couper", "Ctrl+X", 0, 6, "", false, true, "Mn_Edition", "Bt_Edition_Couper", true, "Ac_Edition_CouperExecute", 18, 18, false, "Cut"},
    {&T::Ac_Edition_Copier, "Ac_Edition_Copier", "Edition", "Copier", "Ctrl+C", 0, 7, "", false, true, "Mn_Edition", "Bt_Edition_Copier", true, "Ac_Edition_CopierExecute", 19, 19, false, "Copy"},
    {&T::Ac_Edition_Coller, "Ac_Edition_Coller", "Edition", "Coller", "Ctrl+V", 0, 8, "", false, false, "Mn_Edition", "Bt_Edition_Coller", true, "Ac_Edition_CollerExecute", 20, 20, false, "Pst"},
    {&T::Ac_Edition_Inserer, "Ac_Edition_Inserer", "Edition", "Insérer", "", 0, 9, "", false, true, "Mn_Edition", "Bt_Edition_Inserer", true, "Ac_Edition_InsererExecute", 21, 21, false, "Ins"},
    {&T::Ac_Edition_Vider, "Ac_Edition_Vider", "Edition", "Vider", "", 0, 10, "", false, true, "Mn_Edition", "Bt_Edition_Vider", true, "Ac_Edition_ViderExecute", 22, 22, false, "Clr"},
    {&T::Ac_Edition_TableMix, "Ac_Edition_TableMix", "Edition", "Table de mixage", "F10", 0, 11, "", false, true, "Mn_Edition", "Bt_Edition_TableMix", false, "Ac_Edition_TableMixExecute", 23, 23, true, "Mix"},
    {&T::Ac_Mesure_Premiere, "Ac_Mesure_Premiere", "Mesure", "Première mesure", "Ctrl+Shift+Left", 0, 12, "", false, true, "Mn_Mesure", "Bt_Mesure_Premiere", false, "Ac_Mesure_PremiereExecute", 26, 27, false, "|<"},
    {&T::Ac_Mesure_Precedente, "Ac_Mesure_Precedente", "Mesure", "Mesure précédente", "Ctrl+Left", 0, 13, "", false, true, "Mn_Mesure", "Bt_Mesure_Precedente", false, "Ac_Mesure_PrecedenteExecute", 28, 29, false, "<"},
    {&T::Ac_Mesure_AllerA, "Ac_Mesure_AllerA", "Mesure", "Aller à la mesure", "Ctrl+Shift+Down", 0, 14, "", false, true, "Mn_Mesure", "Bt_Mesure_AllerA", false, "Ac_Mesure_AllerAExecute", 30, 31, true, "->#"},
    {&T::Ac_Mesure_Suivante, "Ac_Mesure_Suivante", "Mesure", "Mesure suivante", "Ctrl+Right", 0, 15, "", false, true, "Mn_Mesure", "Bt_Mesure_Suivante", false, "Ac_Mesure_SuivanteExecute", 32, 33, false, ">"},
    {&T::Ac_Mesure_Derniere, "Ac_Mesure_Derniere", "Mesure", "Dernière mesure", "Ctrl+Shift+Right", 0, 16, "", false, true, "Mn_Mesure", "Bt_Mesure_Derniere", false, "Ac_Mesure_DerniereExecute", 34, 35, false, ">|"},
    {&T::Ac_Mesure_Signature, "Ac_Mesure_Signature", "Mesure", "Signature", "", 0, 17, "", false, true, "Mn_Mesure", "Bt_Mesure_Signature", false, "Ac_Mesure_SignatureExecute", 36, 37, true, "4/4"},
    {&T::Ac_Mesure_RenvoiDebut, "Ac_Mesure_RenvoiDebut", "Mesure", "Début de reprise", "", 0, 18, "", true, true, "Mn_Mesure", "Bt_Mesure_RenvoiDebut", false, "Ac_Mesure_RenvoiDebutExecute", 38, 38, false, "|:"},
    {&T::Ac_Mesure_RenvoiFin, "Ac_Mesure_RenvoiFin", "Mesure", "Fin de reprise", "", 0, 19, "", true, true, "Mn_Mesure", "Bt_Mesure_RenvoiFin", false, "Ac_Mesure_RenvoiFinExecute", 39, 39, true, ":|"},
    {&T::Ac_Mesure_Repetitions, "Ac_Mesure_Repetitions", "Mesure", "Répétitions", "", 0, 20, "", true, true, "Mn_Mesure", "Bt_Mesure_Repetitions", false, "Ac_Mesure_RepetitionsExecute", 40, 40, true, "1."},
    {&T::Ac_Note_Ronde, "Ac_Note_Ronde", "Note", "Ronde", "", 0, 21, "(+/-)", true, true, "Mn_Note", "Bt_Note_Ronde", false, "Ac_Note_RondeExecute", 42, 0, false, "1"},
    {&T::Ac_Note_Blanche, "Ac_Note_Blanche", "Note", "Blanche", "", 0, 22, "(+/-)", true, true, "Mn_Note", "Bt_Note_Blanche", false, "Ac_Note_BlancheExecute", 43, 0, false, "2"},
    {&T::Ac_Note_Noire, "Ac_Note_Noire", "Note", "Noire", "", 0, 23, "(+/-)", true, true, "Mn_Note", "Bt_Note_Noire", false, "Ac_Note_NoireExecute", 44, 0, false, "4"},
    {&T::Ac_Note_Croche, "Ac_Note_Croche", "Note", "Croche", "", 0, 24, "(+/-)", true, true, "Mn_Note", "Bt_Note_Croche", false, "Ac_Note_CrocheExecute", 45, 0, false, "8"},
    {&T::Ac_Note_DCroche, "Ac_Note_DCroche", "Note", "Double croche", "", 0, 25, "(+/-)", true, true, "Mn_Note", "Bt_Note_DCroche", false, "Ac_Note_DCrocheExecute", 46, 0, false, "16"},
    {&T::Ac_Note_TCroche, "Ac_Note_TCroche", "Note", "Triple croche", "", 0, 26, "(+/-)", true, true, "Mn_Note", "Bt_Note_TCroche", false, "Ac_Note_TCrocheExecute", 47, 0, false, "32"},
    {&T::Ac_Note_QCroche, "Ac_Note_QCroche", "Note", "Quadruple croche", "", 0, 27, "(+/-)", true, true, "Mn_Note", "Bt_Note_QCroche", false, "Ac_Note_QCrocheExecute", 48, 0, false, "64"},
    {&T::Ac_Note_Pointee, "Ac_Note_Pointee", "Note", "Pointée", "\\", 0, 28, "", true, true, "Mn_Note", "Bt_Note_Pointee", false, "Ac_Note_PointeeExecute", 49, 49, false, "."},
    {&T::Ac_Note_Accord, "Ac_Note_Accord", "Note", "Accord", "A", 0, 29, "", false, true, "Mn_Note", "Bt_Note_Accord", false, "Ac_Note_AccordExecute", 50, 50, true, "Am"},
    {&T::Ac_Note_Annotation, "Ac_Note_Annotation", "Note", "Annotation", "T", 0, 30, "", false, true, "Mn_Note", "Bt_Note_Annotation", false, "Ac_Note_AnnotationExecute", 51, 51, true, "Txt"},
    {&T::Ac_Note_NoteEtouffee, "Ac_Note_NoteEtouffee", "Note", "Note étouffée", "X", 0, 31, "", false, true, "Mn_Note", "Bt_Note_NoteEtouffee", false, "Ac_Note_NoteEtouffeeExecute", 52, 52, false, "x"},
    {&T::Ac_Note_Silence, "Ac_Note_Silence", "Note", "Silence", "S", 0, 32, "", false, true, "Mn_Note", "Bt_Note_Silence", false, "Ac_Note_SilenceExecute", 53, 53, false, "Sil"},
    {&T::Ac_Note_Triolet, "Ac_Note_Triolet", "Note", "Triolet", "", 0, 33, "", true, true, "Mn_Note", "Bt_Note_Triolet", false, "Ac_Note_TrioletExecute", 54, 54, false, "3"},
    {&T::Ac_Note_Lier, "Ac_Note_Lier", "Note", "Lier", "L", 0, 34, "", true, true, "Mn_Note", "Bt_Note_Lier", false, "Ac_Note_LierExecute", 55, 55, false, "Tie"},
    {&T::Ac_Note_InsererTemps, "Ac_Note_InsererTemps", "Note", "Insérer un temps", "Ins", 0, 35, "", false, true, "Mn_Note", "Bt_Note_InsererTemps", false, "Ac_Note_InsererTempsExecute", 56, 56, false, "+T"},
    {&T::Ac_Note_SupprimerTemps, "Ac_Note_SupprimerTemps", "Note", "Supprimer le temps", "Ctrl+Del", 0, 36, "", false, true, "Mn_Note", "Bt_Note_SupprimerTemps", false, "Ac_Note_SupprimerTempsExecute", 57, 57, false, "-T"},
    {&T::Ac_Note_CopierTempsfin, "Ac_Note_CopierTempsfin", "Note", "Copier le temps à la fin", "C", 0, 37, "", false, true, "Mn_Note", "Bt_Note_CopierTempsfin", false, "Ac_Note_CopierTempsfinExecute", 58, 58, false, "T>"},
    {&T::Ac_Note_DeplacerHaut, "Ac_Note_DeplacerHaut", "Note", "Déplacer la note vers le haut", "Ctrl+Up", 0, 38, "", false, true, "Mn_Note", "Bt_Note_DeplacerHaut", false, "Ac_Note_DeplacerHautExecute", 59, 60, false, "^"},
    {&T::Ac_Note_DeplacerBas, "Ac_Note_DeplacerBas", "Note", "Déplacer la note vers le bas", "Ctrl+Down", 0, 39, "", false, true, "Mn_Note", "Bt_Note_DeplacerBas", false, "Ac_Note_DeplacerBasExecute", 61, 62, false, "v"},
    {&T::Ac_Effet_HO, "Ac_Effet_HO", "Effets", "Hammer-on", "H", 1, 40, "", true, true, "Mn_Effets", "Bt_Effet_HO", false, "Ac_Effet_HOExecute", 64, 64, false, "h"},
    {&T::Ac_Effet_PO, "Ac_Effet_PO", "Effets", "Pull-off", "P", 2, 41, "", true, true, "Mn_Effets", "Bt_Effet_PO", false, "Ac_Effet_HOExecute", 65, 65, false, "p"},
    {&T::Ac_Effet_SlideUp, "Ac_Effet_SlideUp", "Effets", "Slide montant", "U", 3, 42, "", true, true, "Mn_Effets", "Bt_Effet_SlideUp", false, "Ac_Effet_HOExecute", 66, 66, false, "/"},
    {&T::Ac_Effet_SlideDown, "Ac_Effet_SlideDown", "Effets", "Slide descendant", "D", 4, 43, "", true, true, "Mn_Effets", "Bt_Effet_SlideDown", false, "Ac_Effet_HOExecute", 67, 67, false, "\\"},
    {&T::Ac_Effet_Bend, "Ac_Effet_Bend", "Effets", "Bend", "B", 5, 44, "", true, true, "Mn_Effets", "Bt_Effet_Bend", false, "Ac_Effet_BendExecute", 68, 68, true, "b"},
    {&T::Ac_Effet_BendRelease, "Ac_Effet_BendRelease", "Effets", "Bend && Release", "R", 6, 45, "", true, true, "Mn_Effets", "Bt_Effet_BendRelease", false, "Ac_Effet_BendReleaseExecute", 69, 69, true, "br"},
    {&T::Ac_Effet_LetRing, "Ac_Effet_LetRing", "Effets", "Let ring", "I", 7, 46, "", true, true, "Mn_Effets", "Bt_Effet_LetRing", false, "Ac_Effet_HOExecute", 70, 70, false, "LR"},
    {&T::Ac_Effet_GraceNote, "Ac_Effet_GraceNote", "Effets", "Note d'ornement", "G", 0, 47, "", true, true, "Mn_Effets", "Bt_Effet_GraceNote", false, "Ac_Effet_GraceNoteExecute", 71, 71, true, "gr"},
    {&T::Ac_Effet_GhostNote, "Ac_Effet_GhostNote", "Effets", "Note fantôme", "", 0, 48, "", true, true, "Mn_Effets", "Bt_Effet_GhostNote", false, "Ac_Effet_GhostNoteExecute", 72, 72, false, "(n)"},
    {&T::Ac_Effet_VibMainGauche, "Ac_Effet_VibMainGauche", "Effets", "Vibrato main gauche", "V", 1, 49, "", true, true, "Mn_Effets", "Bt_Effet_VibMainGauche", false, "Ac_Effet_VibMainGaucheExecute", 73, 73, false, "~"},
    {&T::Ac_Effet_TremoloBar, "Ac_Effet_TremoloBar", "Effets", "Vibrato au levier", "", 2, 50, "", true, true, "Mn_Effets", "Bt_Effet_TremoloBar", false, "Ac_Effet_VibMainGaucheExecute", 74, 74, false, "w"},
    {&T::Ac_Effet_CoupDeVibrato, "Ac_Effet_CoupDeVibrato", "Effets", "Coup de vibrato", "", 3, 51, "", true, true, "Mn_Effets", "Bt_Effet_CoupDeVibrato", false, "Ac_Effet_CoupDeVibratoExecute", 75, 75, true, "\\/"},
    {&T::Ac_Effet_FadeIn, "Ac_Effet_FadeIn", "Effets", "Fade in", "F", 4, 52, "", true, true, "Mn_Effets", "Bt_Effet_FadeIn", false, "Ac_Effet_VibMainGaucheExecute", 78, 78, false, "<"},
    {&T::Ac_Effet_TappingMD, "Ac_Effet_TappingMD", "Effets", "Tapping main droite", "", 5, 53, "", true, true, "Mn_Effets", "Bt_Effet_TappingMD", false, "Ac_Effet_VibMainGaucheExecute", 79, 79, false, "T"},
    {&T::Ac_Effet_Slap, "Ac_Effet_Slap", "Effets", "Slap", "", 6, 54, "", true, true, "Mn_Effets", "Bt_Effet_Slap", false, "Ac_Effet_VibMainGaucheExecute", 80, 80, false, "S"},
    {&T::Ac_Effet_Pop, "Ac_Effet_Pop", "Effets", "Pop", "", 7, 55, "", true, true, "Mn_Effets", "Bt_Effet_Pop", false, "Ac_Effet_VibMainGaucheExecute", 81, 81, false, "P"},
    {&T::Ac_Effet_HarmNat, "Ac_Effet_HarmNat", "Effets", "Harmonique naturelle", "", 8, 56, "", true, true, "Mn_Effets", "Bt_Effet_HarmNat", false, "Ac_Effet_VibMainGaucheExecute", 76, 76, false, "<>"},
    {&T::Ac_Effet_HarmArt, "Ac_Effet_HarmArt", "Effets", "Harmonique artificielle", "", 9, 57, "", true, true, "Mn_Effets", "Bt_Effet_HarmArt", false, "Ac_Effet_VibMainGaucheExecute", 77, 77, false, "AH"},
    {&T::Ac_Effet_BrushUp, "Ac_Effet_BrushUp", "Effets", "Brush montant", "Ctrl+U", 1, 58, "", true, true, "Mn_Effets", "Bt_Effet_BrushUp", false, "Ac_Effet_BrushUpExecute", 82, 82, true, "B^"},
    {&T::Ac_Effet_BrushDown, "Ac_Effet_BrushDown", "Effets", "Brush descendant", "Ctrl+D", 2, 59, "", true, true, "Mn_Effets", "Bt_Effet_BrushDown", false, "Ac_Effet_BrushUpExecute", 83, 83, true, "Bv"},
    {&T::Ac_Dyna_ppp, "Ac_Dyna_ppp", "Dyna", "(very) pianissimo", "", 0, 60, "", true, true, "Mn_Dyna", "", false, "Ac_Dyna_pppExecute", 0, 0, false, "ppp"},
    {&T::Ac_Dyna_pp, "Ac_Dyna_pp", "Dyna", "pianissimo", "", 0, 61, "", true, true, "Mn_Dyna", "", false, "Ac_Dyna_ppExecute", 0, 0, false, "pp"},
    {&T::Ac_Dyna_p, "Ac_Dyna_p", "Dyna", "piano", "", 0, 62, "", true, true, "Mn_Dyna", "", false, "Ac_Dyna_pExecute", 0, 0, false, "p"},
    {&T::Ac_Dyna_mp, "Ac_Dyna_mp", "Dyna", "mezo piano", "", 0, 63, "", true, true, "Mn_Dyna", "", false, "Ac_Dyna_mpExecute", 0, 0, false, "mp"},
    {&T::Ac_Dyna_mf, "Ac_Dyna_mf", "Dyna", "mezo forte", "", 0, 64, "", true, true, "Mn_Dyna", "", false, "Ac_Dyna_mfExecute", 0, 0, false, "mf"},
    {&T::Ac_Dyna_f, "Ac_Dyna_f", "Dyna", "forte", "", 0, 65, "", true, true, "Mn_Dyna", "", false, "Ac_Dyna_fExecute", 0, 0, false, "f"},
    {&T::Ac_Dyna_ff, "Ac_Dyna_ff", "Dyna", "fortissimo", "", 0, 66, "", true, true, "Mn_Dyna", "", false, "Ac_Dyna_ffExecute", 0, 0, false, "ff"},
    {&T::Ac_Dyna_fff, "Ac_Dyna_fff", "Dyna", "(very) fortissimo", "", 0, 67, "", true, true, "Mn_Dyna", "", false, "Ac_Dyna_fffExecute", 0, 0, false, "fff"},
    {&T::Ac_Ass_Transposer, "Ac_Ass_Transposer", "Assistants", "Transposer", "", 0, -1, "", false, true, "Mn_Assistants", "", false, "Ac_Ass_TransposerExecute", 86, 0, true, ""},
    {&T::Ac_Ass_Redecouper, "Ac_Ass_Redecouper", "Assistants", "Redécouper", "", 0, -1, "", false, true, "Mn_Assistants", "", false, "Ac_Ass_RedecouperExecute", 87, 0, true, ""},
    {&T::Ac_Ass_CompleterReduire, "Ac_Ass_CompleterReduire", "Assistants", "Compléter / réduire", "", 0, -1, "", false, true, "Mn_Assistants", "", false, "Ac_Ass_CompleterReduireExecute", 88, 0, false, ""},
    {&T::Ac_Ass_PlacementAuto, "Ac_Ass_PlacementAuto", "Assistants", "Placement automatique", "", 0, -1, "", false, true, "Mn_Assistants", "", false, "Ac_Ass_PlacementAutoExecute", 89, 0, true, ""},
    {&T::Ac_Ass_LetRingSelector, "Ac_Ass_LetRingSelector", "Assistants", "Let ring", "", 0, -1, "", false, true, "Mn_Assistants", "", false, "Ac_Ass_LetRingSelectorExecute", 90, 0, true, ""},
    {&T::Ac_Ass_Solfege, "Ac_Ass_Solfege", "Assistants", "Solfège", "", 0, 68, "", false, true, "Mn_Assistants", "Bt_Ass_Solfege", false, "Ac_Ass_SolfegeExecute", 92, 92, false, "Sol"},
    {&T::Ac_Ass_Percussion, "Ac_Ass_Percussion", "Assistants", "Percussions", "", 0, -1, "", false, true, "Mn_Assistants", "", false, "Ac_Ass_PercussionExecute", 93, 0, false, ""},
    {&T::Ac_Ass_SpeedTrainer, "Ac_Ass_SpeedTrainer", "Assistants", "Speed trainer", "F7", 0, -1, "", false, true, "Mn_Assistants", "", false, "Ac_Ass_SpeedTrainerExecute", 94, 0, true, ""},
    {&T::Ac_Ass_MontrerLetRing, "Ac_Ass_MontrerLetRing", "Assistants", "Montrer les let ring", "F11", 0, -1, "", true, true, "Mn_Affichage", "", false, "Ac_Ass_MontrerLetRingExecute", 109, 0, false, ""},
    {&T::Ac_Ass_MontrerDyna, "Ac_Ass_MontrerDyna", "Assistants", "Montrer les nuances", "F12", 0, -1, "", true, true, "Mn_Affichage", "", false, "Ac_Ass_MontrerDynaExecute", 110, 0, false, ""},
    {&T::Ac_Ass_VerifierDureeMesures, "Ac_Ass_VerifierDureeMesures", "Assistants", "Vérifier la durée des mesures", "F8", 0, -1, "", false, true, "Mn_Assistants", "", false, "Ac_Ass_VerifierDureeMesuresExecute", 91, 0, true, ""},
    {&T::Ac_Son_LectureDebut, "Ac_Son_LectureDebut", "Son", "Lecture depuis le début", "", 0, 69, "", false, true, "Mn_Son", "Bt_Son_LectureDebut", true, "Ac_Son_LectureDebutExecute", 96, 97, false, "|>"},
    {&T::Ac_Son_LecturePosEC, "Ac_Son_LecturePosEC", "Son", "Lecture depuis la mesure courante", "", 0, 70, "", false, true, "Mn_Son", "Bt_Son_LecturePosEC", true, "Ac_Son_LecturePosECExecute", 98, 99, false, ">"},
    {&T::Ac_Son_LectureMesureEC, "Ac_Son_LectureMesureEC", "Son", "Lecture de la mesure courante", "", 0, 71, "", false, true, "Mn_Son", "Bt_Son_LectureMesureEC", true, "Ac_Son_LectureMesureECExecute", 100, 101, false, "[>]"},
    {&T::Ac_Son_Stop, "Ac_Son_Stop", "Son", "Stop", "", 0, 72, "", false, false, "Mn_Son", "Bt_Son_Stop", true, "Ac_Son_StopExecute", 102, 103, false, "[]"},
    {&T::Ac_Son_EnBoucle, "Ac_Son_EnBoucle", "Son", "En boucle", "", 0, 73, "", true, true, "Mn_Son", "Bt_Son_EnBoucle", true, "Ac_Son_EnBoucleExecute", 104, 104, false, "Loop"},
    {&T::Ac_Son_Metronome, "Ac_Son_Metronome", "Son", "Métronome", "", 0, 74, "", true, true, "Mn_Son", "Bt_Son_Metronome", true, "Ac_Son_MetronomeExecute", 105, 105, false, "Met"},
    {&T::Ac_Son_JouerSaisie, "Ac_Son_JouerSaisie", "Son", "Jouer pendant la saisie", "", 0, -1, "", true, true, "Mn_Son", "", false, "Ac_Son_JouerSaisieExecute", 106, 0, false, ""},
    {&T::Ac_Options_Preferences, "Ac_Options_Preferences", "Options", "Préférences", "F6", 0, 75, "", false, true, "Mn_Fichier", "Bt_Options_Preferences", true, "Ac_Options_PreferencesExecute", 8, 8, true, "Pref"},
    {&T::Ac_Aide_Index, "Ac_Aide_Index", "Aide", "Index", "F1", 0, -1, "", false, true, "Mn_Aide", "", false, "Ac_Aide_IndexExecute", 114, 0, false, ""},
    {&T::Ac_Aide_APropos, "Ac_Aide_APropos", "Aide", "A propos", "", 0, -1, "", false, true, "Mn_Aide", "", false, "Ac_Aide_AProposExecute", 117, 0, true, ""},
    {&T::Ac_Affichage_PleinEcran, "Ac_Affichage_PleinEcran", "Affichage", "Plein écran", "", 0, 76, "", true, true, "Mn_Affichage", "Bt_Affichage_PleinEcran", true, "Ac_Affichage_PleinEcranExecute", 108, 108, false, "Full"},

};

int IndiceActionParNom(const QString& nom) {
  for (int i = 0; i < NB_ACTIONS; ++i)
    if (nom == QLatin1String(TableActions[i].Nom)) return i;
  return -1;
}

QString NomMenuAction(const char* nomAction) { return "Mn_" + QString::fromLatin1(nomAction).mid(3); }

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

bool TActionsPrincipales::DefinirExecute(const QString& nom, std::function<void()> f) {
  int i = IndiceActionParNom(nom);
  if (i < 0) return false;
  Execute[i] = std::move(f);
  return true;
}

void TActionsPrincipales::Executer(QAction* a) {
  int i = IndiceAction(a);
  if (i < 0 || !a->isEnabled()) return;
  if (Execute[i]) Execute[i]();
}
