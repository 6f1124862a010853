#include "editor/state/VueEditeur.h"

#include "editor/state/Notificateur.h"
#include "song/Song.h"

namespace {
TVueEditeur vueNulle;
TVueEditeur* vueCourante = &vueNulle;
}  // namespace

bool TVueEditeur::PreviousMeasureEnabled() { return Partition.MesureCourante > 1; }
void TVueEditeur::ScreenLayoutChanged() { emit Notificateur().vueARefaire(); }

TVueEditeur& VueEditeur() { return *vueCourante; }
void DefinirVueEditeur(TVueEditeur* vue) { vueCourante = vue ? vue : &vueNulle; }

TNotificateur& Notificateur() {
  static TNotificateur n;
  return n;
}
