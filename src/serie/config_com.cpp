#include "serie/config_com.h"

#include "util/cp1252.h"
#include "util/texte.h"

int indice_vitesse(const QByteArray& texte) {
    for (int i = 0; i < 13; ++i)
        if (texte == QByteArray::number(vitesses_port[i])) return i;
    return 5;
}

bool nom_peripherique(const QByteArray& config, QString& nom, QString& erreur) {
    const qsizetype deux_points = config.indexOf(':');
    const QString avant =
        depuis_1252(deux_points < 0 ? config : config.left(deux_points)).trimmed();
    erreur.clear();
    if (!avant.isEmpty() && !avant.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) {
        nom = avant;
        return true;
    }
    const QString chiffres = avant.mid(3);
    bool ok = false;
    const int numero = chiffres.toInt(&ok);
    if (!ok) {
        erreur = QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(chiffres);
        return false;
    }
    // Windows reaches COM10 and beyond only through the device namespace.
    nom = numero > 9 ? QStringLiteral("\\\\.\\COM%1").arg(numero) : avant;
    return true;
}

bool lit_config_com(const QByteArray& config, TReglage_port& reglage, QString& erreur) {
    if (!nom_peripherique(config, reglage.nom_peripherique, erreur)) return false;
    QByteArray copie = config;
    remplace_car(' ', '=', copie);
    reglage.vitesse = vitesses_port[indice_vitesse(extrait(copie, 3, '='))];

    const QByteArray parite = extrait(copie, 5, '=');
    reglage.parite = parite == "O"   ? QSerialPort::OddParity
                     : parite == "E" ? QSerialPort::EvenParity
                     : parite == "M" ? QSerialPort::MarkParity
                     : parite == "S" ? QSerialPort::SpaceParity
                                     : QSerialPort::NoParity;
    const QByteArray donnees = extrait(copie, 7, '=');
    reglage.donnees = donnees == "5"   ? QSerialPort::Data5
                      : donnees == "6" ? QSerialPort::Data6
                      : donnees == "7" ? QSerialPort::Data7
                                       : QSerialPort::Data8;
    const QByteArray bits_stop = extrait(copie, 9, '=');
    reglage.bits_stop = bits_stop == "1.5" ? QSerialPort::OneAndHalfStop
                        : bits_stop == "2" ? QSerialPort::TwoStop
                                           : QSerialPort::OneStop;
    return true;
}
