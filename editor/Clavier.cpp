#include "editor/Clavier.h"

#include <QKeyEvent>

TActionClavier CommandeTouche(int vk, int etat, bool lectureEnCours, bool pleinEcran) {
  using C = TCommandeClavier;
  TActionClavier r;
  // Track change with Ctrl and keypad plus or minus acts whatever else happens.
  if (etat == ssCtrl && vk == VK_ADD) r.Commande = C::PisteSuivante;
  else if (etat == ssCtrl && vk == VK_SUBTRACT) r.Commande = C::PistePrecedente;

  if (lectureEnCours) {
    if (vk == VK_SPACE) r.Commande = C::Stop;
    return r;
  }
  if (vk == VK_SPACE) {
    if (etat == 0) r.Commande = C::LectureDebut;
    else if (etat == ssCtrl) r.Commande = C::LecturePosEC;
    else if (etat == (ssCtrl | ssShift)) r.Commande = C::LectureMesureEC;
    if (r.Commande != C::Aucune) return r;
  }
  if (etat == 0 && vk == VK_PRIOR) r.Commande = C::DefilerHaut;
  if (etat == 0 && vk == VK_NEXT) r.Commande = C::DefilerBas;

  int chiffre = -1;
  if (vk >= VK_0 && vk <= VK_9) chiffre = vk - VK_0;
  else if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) chiffre = vk - VK_NUMPAD0;
  if (chiffre >= 0) {
    r.Commande = C::Chiffre;
    r.Chiffre = chiffre;
    r.Rafraichir = true;
    return r;
  }
  if (pleinEcran) return r;

  switch (vk) {
    case VK_HOME: r.Commande = C::CurseurDebutMesure; break;
    case VK_END: r.Commande = C::CurseurFinMesure; break;
    case VK_LEFT: if (etat == 0) r.Commande = C::CurseurTempsPrecedent; break;
    case VK_RIGHT: if (etat == 0) r.Commande = C::CurseurTempsSuivant; break;
    case VK_UP:
      if (etat == 0) r.Commande = C::CurseurCordeHaut;
      else if (etat == (ssCtrl | ssShift)) r.Commande = C::ValiderSiPossible;
      break;
    case VK_DOWN: if (etat == 0) r.Commande = C::CurseurCordeBas; break;
    case VK_DELETE: r.Commande = etat == ssCtrl ? C::SupprimerTemps : C::EffacerSousCurseur; break;
    case VK_BACK: r.Commande = etat == ssCtrl ? C::SupprimerTempsRetour : C::EffacerSousCurseurRetour; break;
    case VK_ADD: if (etat == 0) r.Commande = C::RaccourcirDuree; break;
    case VK_SUBTRACT: if (etat == 0) r.Commande = C::AllongerDuree; break;
    case VK_MULTIPLY:
    case VK_DECIMAL: r.Commande = C::PointerSiPossible; break;
    case VK_DIVIDE: r.Commande = C::BasculerTriolet; break;
    default: break;
  }
  r.Rafraichir = true;
  return r;
}

TActionClavier CommandeToucheInvisible(int vk, bool lectureEnCours) {
  TActionClavier r;
  if (vk == VK_RETURN && !lectureEnCours) {
    r.Commande = TCommandeClavier::CurseurTempsSuivant;
    r.Rafraichir = true;
  } else if (vk == VK_ESCAPE) {
    r.Commande = TCommandeClavier::CacherPercussion;
  }
  return r;
}

int EtatModificateurs(int m) {
  int e = 0;
  if (m & Qt::ShiftModifier) e |= ssShift;
  if (m & Qt::AltModifier) e |= ssAlt;
  if (m & Qt::ControlModifier) e |= ssCtrl;
  return e;
}

int ToucheVirtuelle(int k, int m) {
  const bool pave = m & Qt::KeypadModifier;
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return (pave ? VK_NUMPAD0 : VK_0) + (k - Qt::Key_0);
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return VK_F1 + (k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Backslash: return VK_OEM_5;
    case Qt::Key_Asterisk: return pave ? VK_MULTIPLY : 0;
    case Qt::Key_Plus: return pave ? VK_ADD : 0;
    case Qt::Key_Minus: return pave ? VK_SUBTRACT : 0;
    case Qt::Key_Period:
    case Qt::Key_Comma: return pave ? VK_DECIMAL : 0;
    case Qt::Key_Slash: return pave ? VK_DIVIDE : 0;
    default: return 0;
  }
}

int ToucheVirtuelle(const QKeyEvent& e) {
  // The digit row is known by its position, as the virtual keys know it, whatever the layout gives
  // for it (AZERTY puts "&" there, Shift puts "!" on a US keyboard). X keycodes 10..19 are 1..9, 0.
  const quint32 sc = e.nativeScanCode();
  if (!(e.modifiers() & Qt::KeypadModifier) && sc >= 10 && sc <= 19) return VK_0 + static_cast<int>(sc - 9) % 10;
  return ToucheVirtuelle(e.key(), e.modifiers().toInt());
}
int EtatModificateurs(const QKeyEvent& e) { return EtatModificateurs(e.modifiers().toInt()); }

void cDefilementTouche::Demarrer(int pas) {
  PasDefilement = pas;
  ToucheEnfoncee = 1;
  Passes = 0;
}

void cDefilementTouche::Arreter() { ToucheEnfoncee = 0; }

int cDefilementTouche::PasSuivant() {
  if (!Actif()) {
    ToucheEnfoncee = 0;
    return 0;
  }
  ++Passes;
  return PasDefilement;
}
