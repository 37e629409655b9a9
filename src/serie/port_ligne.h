#pragma once

#include <QByteArray>

#include "serie/liaison_serie.h"

// The line port: used in the reading mode "par chaîne de caractères et CSV". It reads one byte
// with a time-out, or one line up to a carriage return. It holds at most one port.
class TPort_ligne {
public:
    // Opens the port of the configuration string with its speed, parity, data and stop bits, both
    // modem lines off and a read time-out of 10 ms. False when the port cannot be opened.
    bool ouvre_com(const QByteArray& config);
    // Read time-out of one byte: t + 1 ms.
    void regle_timeouts_com(int t);
    void regle_tampons_com(int octets);
    void purge_com();
    // The next byte, or -1 when none came within the time-out.
    int lit_octet_com();
    // The bytes up to a carriage return (not included; a line feed stays at the start of the
    // next line), or what came before the time-out, possibly nothing. A line never grows beyond
    // `longueur_max_ligne` bytes: the rest comes with the next call.
    QByteArray lit_ligne_com();
    void dtr_com(bool actif);
    void rts_com(bool actif);
    void ferme_com();

    bool ouvert() const { return liaison.ouvert(); }
    TLiaison_serie& port() { return liaison; }

    static constexpr int longueur_max_ligne = 65536;

private:
    TLiaison_serie liaison;
    int timeouts = 10;
};
