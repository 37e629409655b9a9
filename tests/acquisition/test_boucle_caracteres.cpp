#include "test_boucle_outils.h"

#include "acquisition/boucle_caracteres.h"
#include "acquisition/lance_acquisition.h"

namespace {

class Boucle_caracteres_essai : public Boucle_essai {
protected:
    void lance(const QStringList& morceaux, const QString& raison = {}) {
        Source_morceaux source(morceaux, raison);
        boucle_caracteres(programme, rapport, source);
    }
    // A print-out of the WTW Multi 3430 as it arrives, line ends included.
    static QString impression(const char* heure, const char* cond) {
        return QStringLiteral("26.09.2009 %1\r\nMulti 3430\r\nNo.s\u00E9r.  14451527\r\n\r\n"
                              "TetraCon 925\r\nCond %2 \u00E6S/cm 22.9 \u00B0C\r\n"
                              "C = 0.475 1/cm, Tref25, nLF\r\n\r\n"
                              "_____________________________\r\n")
            .arg(QLatin1String(heure), QLatin1String(cond));
    }
};

TEST_F(Boucle_caracteres_essai, HeureEtGrandeurPriseDansLesChamps) {
    struct Cas {
        QString recu;
        bool decode;
    };
    const Cas cas[] = {
        {QStringLiteral("12:00:01\r\n Cond 512 \u00B5S/cm\r\nfin\r\n"), true},
        // The quantity line is then the text after the last '|': not examined.
        {QStringLiteral("12:00:01\r\n Cond 512 \u00B5S/cm\r\n"), false},
        // No line end: no field at all.
        {QStringLiteral("12:00:01 Cond 512 \u00B5S/cm\r\n"), false},
    };
    for (const Cas& c : cas) {
        rapport.tout_le_journal.clear();
        programme.stock.nb_mesures = 0;
        lance({c.recu});
        EXPECT_EQ(nb_mesures(), c.decode ? 1 : 0) << c.recu.toStdString();
        EXPECT_EQ(rapport.journal_contient(QStringLiteral("_grand1=<Cond 512 \u00B5S/cm  >")),
                  c.decode);
    }
    EXPECT_TRUE(rapport.journal_contient(QStringLiteral("25 caractères ")));
}

TEST_F(Boucle_caracteres_essai, ImpressionsSuccessivesEtMorceauxIllisibles) {
    lance({impression("04:19:39", "512"), QString(), QString::fromLatin1("\x01\xff\xfe\r\n||\r\n"),
           impression("04:19:40", "1.2.3"), QStringLiteral("|||:::|||\r\n"),
           impression("04:19:41", "530")});
    ASSERT_EQ(nb_mesures(), 2);
    EXPECT_DOUBLE_EQ(g1(1), 512); // 'æ' (230) read as 'µ'
    EXPECT_DOUBLE_EQ(g2(1), 22.9);
    EXPECT_DOUBLE_EQ(g1(2), 530);
    EXPECT_EQ(programme.etat.prefixe_initial, QByteArray("\xB5"));
    EXPECT_EQ(programme.etat.nb_lignes_rejetees, 1);
    EXPECT_EQ(programme.etat.nb_lectures, 5); // the empty pass is not a reading
    EXPECT_EQ(rapport.lignes.at(1).split('\t').value(2), QByteArray("26.09.2009 04:19:39"));
    // 10 ms at each pass, the last one finding the source ended.
    EXPECT_EQ(attentes.count(10), 7);
}

TEST_F(Boucle_caracteres_essai, CsvRecuArreteLaBoucleAvecUnMessage) {
    lance({QStringLiteral("1;2;3\r\n"), impression("04:19:39", "512")});
    EXPECT_EQ(nb_mesures(), 0);
    EXPECT_TRUE(rapport.journal_contient(
        QStringLiteral("CSV détecté, changer l'option vers <par chaîne de caractères et CSV>")));
    EXPECT_EQ(rapport.messages,
              QStringList({"CSV détecté, changer l'option vers <par chaîne de caractères et CSV> "
                           "ET RTS activé!"}));
}

TEST_F(Boucle_caracteres_essai, PortPerduGardeLesPointsEtLeDit) {
    lance({impression("04:19:39", "512")}, QStringLiteral("liaison perdue"));
    EXPECT_EQ(nb_mesures(), 1);
    EXPECT_EQ(rapport.messages, QStringList({"liaison perdue"}));
}

TEST_F(Boucle_caracteres_essai, LanceAcquisitionChoisitLaBoucleDuModeDeLecture) {
    Source_liste lignes({QStringLiteral("Cond 512 \u00B5S/cm 22.9 \u00B0C"),
                         QStringLiteral("26.09.2009 04:19:39")});
    Source_morceaux morceaux({impression("04:19:39", "600"), impression("04:19:40", "601")});
    programme.reglages.lecture_csv = 0;
    lance_acquisition(programme, rapport, lignes, morceaux);
    EXPECT_EQ(nb_mesures(), 2);
    EXPECT_EQ(lignes.suivante, 0);
    programme.stock.nb_mesures = 0;
    programme.reglages.lecture_csv = 1;
    lance_acquisition(programme, rapport, lignes, morceaux);
    EXPECT_EQ(nb_mesures(), 1);
    EXPECT_DOUBLE_EQ(g1(1), 512);
}

} // namespace
