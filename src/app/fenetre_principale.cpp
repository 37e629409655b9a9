#include "app/fenetre_principale.h"

TForm1::TForm1(TProgramme& p, QWidget* parent) : QWidget(parent), programme(p) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Probelog  ") + QLatin1String(version_programme));
    resize(1696, 754);
}

void TForm1::relie_fenetres(TForm2* parametres, TForm3* graphes) {
    form2 = parametres;
    form3 = graphes;
}
