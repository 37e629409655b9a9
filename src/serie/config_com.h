#pragma once

#include <QByteArray>
#include <QSerialPort>
#include <QString>

// What a configuration string 'COM7: bauds=9600 parity=N data=8 stop=1' asks of the port.
struct TReglage_port {
    QString nom_peripherique; // the name handed to the system ('COM7', '\\.\COM12', '/dev/ttyUSB0')
    qint32 vitesse = 4800;
    QSerialPort::DataBits donnees = QSerialPort::Data8;
    QSerialPort::Parity parite = QSerialPort::NoParity;
    QSerialPort::StopBits bits_stop = QSerialPort::OneStop;
};

// Speeds known to the minimal port, in bits per second (index 0 to 12).
constexpr qint32 vitesses_port[13] = {110,   300,   600,   1200,  2400,  4800,  9600,
                                      14400, 19200, 38400, 56000, 57600, 115200};

// Index of an exact speed text in the table; any other text gives 5 (4800).
int indice_vitesse(const QByteArray& texte);

// The port's name is the text in front of the first ':'. A Windows name 'COMn' (and an empty
// name) carries a port number: it must read as a whole number, else `erreur` gets the operator's
// message "'x' n'est pas une valeur entière correcte" and the result is false. Numbers above 9
// take the device prefix '\\.\'. Any other name (ttyUSB0, a full path) is used as it stands.
bool nom_peripherique(const QByteArray& config, QString& nom, QString& erreur);

// Name, speed, parity, data bits and stop bits: spaces become '=', then fields 3, 5, 7 and 9 by
// '=' are the values (the key words are not compared). Unknown values give 4800 bauds, no
// parity, 8 data bits, 1 stop bit, each on its own.
bool lit_config_com(const QByteArray& config, TReglage_port& reglage, QString& erreur);
