#include "serie/port_ligne.h"

bool TPort_ligne::ouvre_com(const QByteArray& config) {
    if (!liaison.ouvre(config)) return false;
    liaison.dtr(false);
    liaison.rts(false);
    regle_timeouts_com(10);
    return true;
}

void TPort_ligne::regle_timeouts_com(int t) {
    timeouts = t < 0 ? 0 : t;
}

void TPort_ligne::regle_tampons_com(int octets) {
    liaison.regle_tampon(octets);
}

void TPort_ligne::purge_com() {
    liaison.purge();
}

int TPort_ligne::lit_octet_com() {
    char octet = 0;
    if (!liaison.attend_octets(timeouts + 1) || !liaison.prend_octet(octet)) return -1;
    return static_cast<unsigned char>(octet);
}

QByteArray TPort_ligne::lit_ligne_com() {
    QByteArray ligne;
    while (ligne.size() < longueur_max_ligne) {
        const int octet = lit_octet_com();
        if (octet < 0 || octet == 13) break;
        ligne.append(char(octet));
    }
    return ligne;
}

void TPort_ligne::dtr_com(bool actif) {
    liaison.dtr(actif);
}
void TPort_ligne::rts_com(bool actif) {
    liaison.rts(actif);
}
void TPort_ligne::ferme_com() {
    liaison.ferme();
}
