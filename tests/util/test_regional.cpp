#include <gtest/gtest.h>

#include "outils_tests.h"
#include "util/regional.h"

TEST(Regional, SigneDecimalEtFormatsSuiventLaLocale) {
    struct Cas {
        const char* locale;
        char signe;
        const char* fixe;
        const char* general;
    } cas[] = {{"fr_FR", ',', "1234,500", "0,3"}, {"en_US", '.', "1234.500", "0.3"}};
    for (const auto& c : cas) {
        Locale_temporaire l(QString::fromLatin1(c.locale));
        EXPECT_EQ(regional::signe_decimal(), c.signe) << c.locale;
        EXPECT_EQ(regional::format_fixe(1234.5, 8, 3), QString::fromLatin1(c.fixe)) << c.locale;
        EXPECT_EQ(regional::format_general(0.3), QString::fromLatin1(c.general)) << c.locale;
    }
}

TEST(Regional, DateHeureRelueAvecLesMemesReglages) {
    for (const char* nom : {"fr_FR", "en_US"}) {
        Locale_temporaire l(QString::fromLatin1(nom));
        const QDateTime instant(QDate(2009, 9, 26), QTime(4, 19, 39));
        const QString texte = regional::texte_date_heure(instant);
        QDateTime relu;
        ASSERT_TRUE(regional::lit_date_heure(texte, relu)) << texte.toStdString();
        EXPECT_EQ(relu, instant) << texte.toStdString();
    }
    Locale_temporaire fr(QStringLiteral("fr_FR"));
    EXPECT_EQ(regional::texte_date_heure(QDateTime(QDate(2009, 9, 26), QTime(4, 19, 39))),
              QStringLiteral("26/09/2009 04:19:39"));
    QDateTime relu;
    EXPECT_FALSE(regional::lit_date_heure(QStringLiteral("pas une date"), relu));
    EXPECT_FALSE(regional::lit_date_heure(QString(), relu));
}
