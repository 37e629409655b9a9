#include <gtest/gtest.h>

#include "outils_serie.h"
#include "serie/config_com.h"
#include "serie/port_ligne.h"
#include "serie/port_min.h"

namespace {

TEST(Config_com, NomDuPortEtNumeroCom) {
    struct Cas {
        const char* config;
        const char* nom; // nullptr: refused
        const char* erreur;
    };
    const Cas cas[] = {
        {"COM12: bauds=9600 parity=N data=8 stop=1", "\\\\.\\COM12", ""},
        {"COM7: bauds=9600 parity=N data=8 stop=1", "COM7", ""},
        {"ttyUSB0: bauds=9600 parity=N data=8 stop=1", "ttyUSB0", ""},
        {"/dev/ttyUSB0: bauds=9600 parity=N data=8 stop=1", "/dev/ttyUSB0", ""},
        {"/tmp/pty-a: bauds=9600", "/tmp/pty-a", ""},
        {": bauds=9600 parity=N data=8 stop=1", nullptr,
         "'' n'est pas une valeur entière correcte"},
        {"COMx: bauds=9600 parity=N data=8 stop=1", nullptr,
         "'x' n'est pas une valeur entière correcte"},
    };
    for (const Cas& c : cas) {
        QString nom, erreur;
        EXPECT_EQ(nom_peripherique(c.config, nom, erreur), c.nom != nullptr) << c.config;
        if (c.nom) {
            EXPECT_EQ(nom, QString::fromLatin1(c.nom)) << c.config;
        }
        EXPECT_EQ(erreur, QString::fromUtf8(c.erreur)) << c.config;
    }
}

TEST(Config_com, VitessePariteDonneesEtStop) {
    struct Cas {
        const char* config;
        qint32 vitesse;
        QSerialPort::Parity parite;
        QSerialPort::DataBits donnees;
        QSerialPort::StopBits stop;
    };
    const Cas cas[] = {
        {"COM1: bauds=9600 parity=N data=8 stop=1", 9600, QSerialPort::NoParity, QSerialPort::Data8,
         QSerialPort::OneStop},
        {"COM1: bauds=115200 parity=E data=7 stop=2", 115200, QSerialPort::EvenParity,
         QSerialPort::Data7, QSerialPort::TwoStop},
        {"COM1: bauds=110 parity=O data=5 stop=1.5", 110, QSerialPort::OddParity,
         QSerialPort::Data5, QSerialPort::OneAndHalfStop},
        {"COM1: bauds=56000 parity=M data=6 stop=1", 56000, QSerialPort::MarkParity,
         QSerialPort::Data6, QSerialPort::OneStop},
        {"COM1: bauds=14400 parity=S data=8 stop=1", 14400, QSerialPort::SpaceParity,
         QSerialPort::Data8, QSerialPort::OneStop},
        // Unknown texts fall back each on its own; comparisons are exact.
        {"COM1: bauds=1234 parity=n data=9 stop=3", 4800, QSerialPort::NoParity, QSerialPort::Data8,
         QSerialPort::OneStop},
        {"COM1: bauds= parity=N data=8 stop=1", 4800, QSerialPort::NoParity, QSerialPort::Data8,
         QSerialPort::OneStop},
    };
    for (const Cas& c : cas) {
        TReglage_port r;
        QString erreur;
        ASSERT_TRUE(lit_config_com(c.config, r, erreur)) << c.config;
        EXPECT_EQ(r.vitesse, c.vitesse) << c.config;
        EXPECT_EQ(r.parite, c.parite) << c.config;
        EXPECT_EQ(r.donnees, c.donnees) << c.config;
        EXPECT_EQ(r.bits_stop, c.stop) << c.config;
    }
}

class Port_pty : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(paire.demarre()) << "socat"; }
    Paire_pty paire;
};

TEST_F(Port_pty, LigneJusquAuRetourChariot) {
    TPort_ligne port;
    ASSERT_TRUE(port.ouvre_com(paire.config()));
    port.regle_timeouts_com(200);
    // A pseudo-terminal has no modem lines: refused without harm.
    port.dtr_com(true);
    port.rts_com(true);
    paire.envoie("abc\r\ndef\r");
    EXPECT_EQ(port.lit_ligne_com(), QByteArray("abc"));
    EXPECT_EQ(port.lit_ligne_com(), QByteArray("\ndef"));
    EXPECT_EQ(port.lit_ligne_com(), QByteArray());
    EXPECT_EQ(port.lit_octet_com(), -1);
    // A line cut by the time-out comes as it is, its end with the next read.
    paire.envoie("gh");
    EXPECT_EQ(port.lit_ligne_com(), QByteArray("gh"));
    paire.envoie(QByteArray("\xe6S\r", 3));
    EXPECT_EQ(port.lit_ligne_com(), QByteArray("\xe6S"));
    port.ferme_com();
    EXPECT_FALSE(port.ouvert());
    EXPECT_EQ(port.lit_octet_com(), -1);
}

TEST_F(Port_pty, ToutJusquAuSilence) {
    TPort_min port;
    ASSERT_TRUE(port.ouvre_com_min(paire.config()));
    EXPECT_TRUE(port.com_min_ouvert());
    QString texte = QStringLiteral("x");
    EXPECT_EQ(port.lit_car_com_min(texte), 0);
    EXPECT_TRUE(texte.isEmpty());
    struct Cas {
        QByteArray envoye;
        const char* texte;
        int nombre;
    };
    const Cas cas[] = {
        {"\r\n", "", 2},
        {"AB\r\n", "AB", 4},
        {QByteArray("A\0B\r\n", 5), "AB", 4}, // a zero byte adds nothing
        {"12:00:01\r\n Cond 512 \xb5S/cm\r\nfin\r\n", "12:00:01\r\n Cond 512 \u00b5S/cm\r\nfin",
         32},
    };
    for (const Cas& c : cas) {
        paire.envoie(c.envoye);
        EXPECT_EQ(port.lit_car_com_min(texte), c.nombre);
        EXPECT_EQ(texte, QString::fromUtf8(c.texte));
    }
    // Two records with a quiet line between them come in two reads.
    paire.simule({{0, "R1\r\n"}, {400, "R2\r\n"}});
    EXPECT_EQ(port.lit_car_com_min(texte), 4);
    EXPECT_EQ(texte, QStringLiteral("R1"));
    int nombre = 0;
    for (int i = 0; i < 20 && nombre == 0; ++i)
        nombre = port.lit_car_com_min(texte);
    EXPECT_EQ(nombre, 4);
    EXPECT_EQ(texte, QStringLiteral("R2"));
    paire.arrete_simulateur();
}

TEST_F(Port_pty, LesAttentesRendentLaMainEtSArretentSiLePortEstFerme) {
    TPort_ligne port;
    ASSERT_TRUE(port.ouvre_com(paire.config()));
    port.regle_timeouts_com(2000);
    int appels = 0;
    port.port().pendant_attente = [&] {
        if (++appels == 3) port.ferme_com(); // "Close COM" clicked during the read
    };
    EXPECT_EQ(port.lit_octet_com(), -1);
    EXPECT_EQ(appels, 3);
    EXPECT_TRUE(port.port().panne().isEmpty());
}

TEST_F(Port_pty, CablePendantUneLecture) {
    TPort_min port;
    ASSERT_TRUE(port.ouvre_com_min(paire.config()));
    paire.simule({{0, "R1\r\n"}, {300, ""}}, [this] { paire.coupe(); });
    QString texte;
    EXPECT_EQ(port.lit_car_com_min(texte), 4);
    for (int i = 0; i < 50 && port.com_min_ouvert(); ++i)
        port.lit_car_com_min(texte);
    paire.arrete_simulateur();
    EXPECT_FALSE(port.com_min_ouvert());
    EXPECT_FALSE(port.port().panne().isEmpty());
}

TEST(Port_absent, OuvertureRefuseeAvecLaRaison) {
    TPort_ligne ligne;
    EXPECT_FALSE(ligne.ouvre_com("/nulle/part/tty: bauds=9600 parity=N data=8 stop=1"));
    EXPECT_FALSE(ligne.port().erreur().isEmpty());
    TPort_min min;
    EXPECT_FALSE(min.ouvre_com_min("COMx: bauds=9600 parity=N data=8 stop=1"));
    EXPECT_EQ(min.erreur(), QStringLiteral("'x' n'est pas une valeur entière correcte"));
    EXPECT_FALSE(min.com_min_ouvert());
}

} // namespace
