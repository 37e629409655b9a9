#include "parametres/fenetre/fenetre_parametres.h"

TForm2::TForm2(TProgramme& p, TForm1& f1, QWidget* parent) : QWidget(parent), programme(p), form1(f1) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("P A R A M E T R E S"));
    resize(1451, 748);
}
