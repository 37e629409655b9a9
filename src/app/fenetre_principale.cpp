#include "app/fenetre_principale.h"

#include "acquisition/rapport_memoire.h"

namespace {
TRapport_memoire rapport_provisoire;
}

TForm1::TForm1(TProgramme& p, QWidget* parent) : QWidget(parent), programme(p) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Probelog  ") + QLatin1String(version_programme));
    resize(1696, 754);
}

void TForm1::relie_fenetres(TForm2* parametres, TForm3* graphes) {
    form2 = parametres;
    form3 = graphes;
}

TRapport& TForm1::rapport() { return rapport_provisoire; }
void TForm1::actualise_affichage_multimetre() {}
void TForm1::applique_reglages() {}
void TForm1::retrace_courbes() {}
