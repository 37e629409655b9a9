#include "serie/sources_port.h"

#include "util/cp1252.h"

QString texte_liaison_perdue(const QString& raison) {
    return QStringLiteral("liaison perdue avec le multimètre : %1 ; les mesures reçues sont "
                          "gardées")
        .arg(raison);
}

bool TSource_port_lignes::ligne_suivante(QString& ligne) {
    ligne.clear();
    if (!port.ouvert()) {
        if (!port.port().panne().isEmpty()) {
            raison = texte_liaison_perdue(port.port().panne());
            return false;
        }
        if (attente) attente(timeouts_ms + 1);
        return true;
    }
    ligne = depuis_1252(port.lit_ligne_com());
    return true;
}

bool TSource_port_caracteres::lit(QString& texte, int& nombre) {
    texte.clear();
    nombre = 0;
    if (!port.com_min_ouvert()) {
        if (!port.port().panne().isEmpty()) {
            raison = texte_liaison_perdue(port.port().panne());
            return false;
        }
        if (attente) attente(TPort_min::silence_ms);
        return true;
    }
    nombre = port.lit_car_com_min(texte);
    return true;
}
