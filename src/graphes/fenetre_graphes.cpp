#include "graphes/fenetre_graphes.h"

#include <QLabel>
#include <QVBoxLayout>

TForm3::TForm3(TProgramme& p, QWidget* parent) : QWidget(parent), programme(p) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Graphiques associés"));
    resize(1000, 700);
    auto* disposition = new QVBoxLayout(this);
    auto* texte =
        new QLabel(QStringLiteral("Conductivité, température, pH et oxygène (3 sondes)"), this);
    texte->setAlignment(Qt::AlignCenter);
    disposition->addWidget(texte);
}
