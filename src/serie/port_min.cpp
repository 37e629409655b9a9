#include "serie/port_min.h"

#include "util/cp1252.h"

bool TPort_min::ouvre_com_min(const QByteArray& config) {
    if (!liaison.ouvre(config)) return false;
    liaison.rts(true);
    liaison.dtr(false);
    liaison.regle_tampon(2048);
    return true;
}

int TPort_min::lit_car_com_min(QString& texte) {
    QByteArray recu;
    bool coupe = false;
    while (liaison.attend_octets(silence_ms)) {
        const QByteArray morceau = liaison.prend(longueur_max - recu.size());
        for (char c : morceau)
            if (c != 0) recu.append(c);
        if (recu.size() >= longueur_max) {
            coupe = true;
            break;
        }
    }
    const QString caracteres = depuis_1252(recu);
    const int nombre = int(caracteres.size());
    if (coupe)
        texte = caracteres;
    else
        texte = nombre < 3 ? QString() : caracteres.left(nombre - 2);
    return nombre;
}

void TPort_min::ferme_com_min() {
    liaison.ferme();
}
void TPort_min::dtr_com_min(bool actif) {
    liaison.dtr(actif);
}
void TPort_min::rts_com_min(bool actif) {
    liaison.rts(actif);
}
