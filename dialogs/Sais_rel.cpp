#include "dialogs/Sais_rel.h"

#include "settings/LignesLangue.h"

TSais_Release_Form::TSais_Release_Form(QWidget* parent)
    : TSais_Bend_Form(parent, QStringLiteral("Sais_Release_Form"), QStringLiteral("Ed_Release"),
                      LignesBend::TitreRelease) {}
