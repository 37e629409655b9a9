#include "serie/liaison_serie.h"

#include <QDeadlineTimer>

TLiaison_serie::TLiaison_serie() = default;
TLiaison_serie::~TLiaison_serie() {
    ferme();
}

QString explique_erreur_port(const QSerialPort& port) {
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("port introuvable");
    case QSerialPort::PermissionError:
        return QStringLiteral("accès refusé (port déjà utilisé par un autre programme ?)");
    case QSerialPort::OpenError:
        return QStringLiteral("port déjà ouvert");
    case QSerialPort::ResourceError:
        return QStringLiteral("le port ne répond plus (câble débranché ?)");
    default:
        return port.errorString();
    }
}

bool TLiaison_serie::ouvre(const QByteArray& config) {
    ferme();
    raison_panne.clear();
    derniere_erreur.clear();
    TReglage_port reglage;
    if (!lit_config_com(config, reglage, derniere_erreur)) return false;
    port.setPortName(reglage.nom_peripherique);
    if (!port.open(QIODevice::ReadWrite)) {
        derniere_erreur = explique_erreur_port(port);
        port.clearError();
        return false;
    }
    // As on the original platform, the results of the settings calls are not examined: a
    // pseudo-terminal refuses some of them and still carries the data.
    port.setBaudRate(reglage.vitesse);
    port.setDataBits(reglage.donnees);
    port.setParity(reglage.parite);
    port.setStopBits(reglage.bits_stop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    port.clearError();
    return true;
}

void TLiaison_serie::ferme() {
    if (port.isOpen()) port.close();
    port.clearError();
}

void TLiaison_serie::dtr(bool actif) {
    if (!port.isOpen()) return;
    port.setDataTerminalReady(actif);
    port.clearError();
}

void TLiaison_serie::rts(bool actif) {
    if (!port.isOpen()) return;
    port.setRequestToSend(actif);
    port.clearError();
}

void TLiaison_serie::purge() {
    if (!port.isOpen()) return;
    port.clear(QSerialPort::Output);
    port.clear(QSerialPort::Input);
    port.clearError();
}

void TLiaison_serie::regle_tampon(int octets) {
    port.setReadBufferSize(octets > 0 ? octets : 0);
}

bool TLiaison_serie::verifie_panne() {
    const QSerialPort::SerialPortError e = port.error();
    if (e != QSerialPort::ResourceError && e != QSerialPort::ReadError) return false;
    raison_panne = explique_erreur_port(port);
    if (e == QSerialPort::ReadError)
        raison_panne = QStringLiteral("erreur de lecture : ") + port.errorString();
    ferme();
    return true;
}

bool TLiaison_serie::attend_octets(int delai_ms) {
    if (!port.isOpen()) return false;
    if (port.bytesAvailable() > 0) return true;
    QDeadlineTimer fin(delai_ms < 0 ? 0 : delai_ms);
    for (;;) {
        const qint64 reste = fin.remainingTime();
        if (reste <= 0) return false;
        port.waitForReadyRead(int(qMin<qint64>(reste, tranche_ms)));
        if (port.bytesAvailable() > 0) return true;
        if (verifie_panne()) return false;
        if (pendant_attente) pendant_attente();
        if (!port.isOpen()) return false;
        if (port.bytesAvailable() > 0) return true;
    }
}

QByteArray TLiaison_serie::prend(qint64 max) {
    if (!port.isOpen()) return {};
    return port.read(qMin(max, port.bytesAvailable()));
}

bool TLiaison_serie::prend_octet(char& octet) {
    return port.isOpen() && port.bytesAvailable() > 0 && port.getChar(&octet);
}
