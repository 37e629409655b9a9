#pragma once

#include <QByteArray>
#include <QString>

#include "serie/liaison_serie.h"

// The minimal port: used in the reading mode "caractère par caractère". It takes everything
// that arrives until the line falls quiet. It holds at most one port.
class TPort_min {
public:
    // The line is quiet when no byte came for this long.
    static constexpr int silence_ms = 110;
    // A stream that never falls quiet is handed over in pieces of this many characters.
    static constexpr int longueur_max = 65536;

    // Opens the port with the settings of the configuration string, RTS on and DTR off, queues
    // of 2048 bytes. False when the port cannot be opened (the reason in erreur()).
    bool ouvre_com_min(const QByteArray& config);
    // Every character received until the line falls quiet; returns their number (a zero byte
    // adds nothing). `texte` gets all of them but the last two (the line end), empty when fewer
    // than three came. A piece cut at `longueur_max` is handed over whole.
    int lit_car_com_min(QString& texte);
    bool com_min_ouvert() const { return liaison.ouvert(); }
    void ferme_com_min();
    void dtr_com_min(bool actif);
    void rts_com_min(bool actif);

    const QString& erreur() const { return liaison.erreur(); }
    TLiaison_serie& port() { return liaison; }

private:
    TLiaison_serie liaison;
};
