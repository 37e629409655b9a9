#pragma once

#include <QByteArray>
#include <QSerialPort>
#include <QString>
#include <functional>

#include "serie/config_com.h"

// One port handle over Qt Serial Port, shared by the two port modules: opening with the settings
// of a configuration string, the modem lines, and the waits for incoming bytes.
// Waits never block for long: they wait in slices of a few milliseconds and call
// `pendant_attente` between two slices (the windows process their events there, so a click on
// "Close COM" may close the port in the middle of a read: the read then ends at once).
class TLiaison_serie {
public:
    static constexpr int tranche_ms = 10;

    TLiaison_serie();
    ~TLiaison_serie();
    TLiaison_serie(const TLiaison_serie&) = delete;
    TLiaison_serie& operator=(const TLiaison_serie&) = delete;

    // Closes a held port first. False with the reason in erreur() when the name cannot be read
    // or the system refuses the port. The settings are applied whatever their results.
    bool ouvre(const QByteArray& config);
    void ferme();
    bool ouvert() const { return port.isOpen(); }

    // A modem line that the device refuses (a pseudo-terminal has none) is not an error.
    void dtr(bool actif);
    void rts(bool actif);
    void purge();
    void regle_tampon(int octets);

    // True when bytes are waiting, false after `delai_ms` without any (or when the port closed
    // or was lost meanwhile).
    bool attend_octets(int delai_ms);
    // Takes up to `max` waiting bytes (no wait).
    QByteArray prend(qint64 max);
    bool prend_octet(char& octet);

    // Why the latest opening failed (French, for the operator).
    const QString& erreur() const { return derniere_erreur; }
    // Set when an open port stopped answering (cable pulled, adapter unplugged): the reason.
    // The port is closed then. Emptied by the next opening.
    const QString& panne() const { return raison_panne; }

    std::function<void()> pendant_attente;

private:
    bool verifie_panne();

    QSerialPort port;
    QString derniere_erreur;
    QString raison_panne;
};

// The operator's words for the system's refusal to open a port.
QString explique_erreur_port(const QSerialPort& port);
