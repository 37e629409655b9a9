#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <limits>

#include "outils_tests.h"
#include "util/texte.h"

namespace {

const char* const locales[] = {"fr_FR", "en_US"};

QByteArray octets(const char* t) {
    return QByteArray(t);
}
QString large(const char* t) {
    return QString::fromLatin1(t);
}

// ---------------------------------------------------------------- fields

TEST(Extrait, ChampsParSeparateur) {
    struct Cas {
        const char* texte;
        int n;
        char sep;
        const char* attendu;
    } cas[] = {
        {"12;25,3;\xB5S", 2, ';', "25,3"},
        {"12;25,3;\xB5S", 3, ';', "\xB5S"},
        {"  7.5   mS/cm ", 2, ' ', "mS/cm"},
        {"  7.5   mS/cm ", 1, ' ', "7.5"},
        {"a;b", 3, ';', ""},
        {"a;b", 0, ';', ""},
        {"a;b", -1, ';', ""},
        {";;;", 1, ';', ""},
        {";", 1, ';', ""},
        {"a;;b", 2, ';', "b"},
        {";a", 1, ';', "a"},
        {"a;", 1, ';', "a"},
        {"a;", 2, ';', ""},
        {" x  ;  y ", 2, ';', "y"},
        {"a; ;b", 2, ';', ""}, // a field of spaces is a field, trimmed to nothing
        {"a; ;b", 3, ';', "b"},
        {"\"a;b\"", 2, ';', "b\""}, // no quoting
        {"\t1\t", 1, ';', "\t1\t"}, // only spaces are trimmed
    };
    for (const auto& c : cas)
        EXPECT_EQ(extrait(octets(c.texte), c.n, c.sep), octets(c.attendu))
            << c.texte << " champ " << c.n;
    EXPECT_EQ(extrait(QByteArray(), 1, ';'), octets("_extraitUTIL<>"));
    EXPECT_EQ(extrait(QByteArray(), 0, ';'), octets("_extraitUTIL<>"));
}

TEST(Extrait, LargeGardeLesChampsVidesSaufPourLEspace) {
    struct Cas {
        const char* texte;
        int n;
        char sep;
        const char* attendu;
    } cas[] = {
        {"a;;b", 2, ';', ""},
        {"a;;b", 3, ';', "b"},
        {";;a", 1, ';', ""},
        {";;a", 2, ';', "a"},
        {";;a", 3, ';', ""},
        {"a  b", 2, ' ', "b"},
        {"  a  b ", 1, ' ', "a"},
        {";", 1, ';', ""},
        {"a;", 1, ';', "a"},
        {"a;", 2, ';', ""},
        {";a;", 1, ';', "a"},
        {"x| 3,5 |y", 2, '|', "3,5"},
        {"12;25,3;\xB5S", 3, ';', "\xB5S"},
        {"a;b", 0, ';', ""},
    };
    for (const auto& c : cas)
        EXPECT_EQ(extrait_w(large(c.texte), c.n, QLatin1Char(c.sep)), large(c.attendu))
            << c.texte << " champ " << c.n;
    EXPECT_EQ(extrait_w(QString(), 1, QLatin1Char(';')), QString());
    // The separator is compared as a whole wide character.
    EXPECT_EQ(extrait_w(QStringLiteral("a\u203Bb;c"), 2, QChar(0x203B)), QStringLiteral("b;c"));
}

TEST(Extrait, TexteLongBinaireEtNul) {
    // Lines longer than 255 characters are taken whole.
    const QByteArray champ(100000, 'x');
    const QByteArray ligne = "  " + champ + "  ;" + "fin";
    EXPECT_EQ(extrait(ligne, 1, ';'), champ);
    EXPECT_EQ(extrait_w(QString::fromLatin1(ligne), 1, QLatin1Char(';')),
              QString::fromLatin1(champ));
    EXPECT_EQ(supprime_espaces(ligne.left(ligne.size() - 4)), champ);

    const QByteArray binaire("\x00\xFF;\x01\x00\x80", 6);
    EXPECT_EQ(extrait(binaire, 1, ';'), QByteArray("\x00\xFF", 2));
    EXPECT_EQ(extrait(binaire, 2, ';'), QByteArray("\x01\x00\x80", 3));
    // 0x00 as the separator: the leading one is invisible.
    EXPECT_EQ(extrait(binaire, 1, '\0'), QByteArray("\xFF;\x01", 3));
    EXPECT_EQ(extrait(binaire, 2, '\0'), QByteArray("\x80", 1));
    const QString large_binaire = QString::fromLatin1(binaire);
    EXPECT_EQ(extrait_w(large_binaire, 1, QChar(0)), QStringLiteral("\u00FF;\u0001"));
    EXPECT_EQ(extrait_w(large_binaire, 2, QChar(0)), QStringLiteral("\u0080"));
    // Only separators.
    EXPECT_EQ(extrait(QByteArray(5000, ';'), 1, ';'), QByteArray());
    EXPECT_EQ(extrait_w(QString(5000, QLatin1Char(' ')), 1, QLatin1Char(' ')), QString());
}

TEST(Extrait, EntierDuChamp) {
    struct Cas {
        const char* texte;
        int n;
        char sep;
        int defaut;
        int attendu;
    } cas[] = {
        {"0,100,255", 2, ',', 0, 100},
        {"0,100,255", 3, ',', 0, 255},
        {"a,b", 1, ',', 7, 7},
        {"", 1, ',', 7, 7},
        {"x; -12 ;y", 2, ';', 7, -12},
        {"x;+12;y", 2, ';', 7, 12},
        {"1.5;2", 1, ';', 7, 7},
        {"12a;2", 1, ';', 7, 7},
        {"-;2", 1, ';', 7, 7},
        {"2147483647", 1, ';', 7, 2147483647},
        {"2147483648", 1, ';', 7, 7},
        {"-2147483648", 1, ';', 7, INT_MIN},
        {"99999999999999999999", 1, ';', 7, 7},
        {"0,100", 5, ',', -1, -1},
    };
    for (const auto& c : cas)
        EXPECT_EQ(extrait_entier(octets(c.texte), c.n, c.sep, c.defaut), c.attendu) << c.texte;
}

TEST(Caracteres, CompteRemplaceSupprime) {
    EXPECT_EQ(compte_car(';', "a;b;;c"), 3);
    EXPECT_EQ(compte_car('\0', QByteArray("\0a\0", 3)), 2);
    EXPECT_EQ(compte_car_w(QLatin1Char(';'), QStringLiteral("a;b;;c")), 3);
    EXPECT_EQ(compte_car_w(QLatin1Char(';'), QString()), 0);

    QByteArray t = "1.2.3";
    remplace_car('.', ',', t);
    EXPECT_EQ(t, octets("1,2,3"));
    QString w = QStringLiteral("1.2.3");
    remplace_car_w(QLatin1Char('.'), QLatin1Char(','), w);
    EXPECT_EQ(w, QStringLiteral("1,2,3"));
    QString d = QStringLiteral("$12$;$");
    supprime_car_w(QLatin1Char('$'), d);
    EXPECT_EQ(d, QStringLiteral("12;"));
}

TEST(Caracteres, FiltresDeCaracteres) {
    EXPECT_EQ(garde_car_min(17, QByteArray("a\x00\r\n\t\x10\x11\xB5z", 9)),
              QByteArray("a\x11\xB5z"));
    EXPECT_EQ(garde_car_min_w(30, QStringLiteral("a\r\n\t\u001D\u001E\u20ACz")),
              QStringLiteral("a\u001E\u20ACz"));

    QByteArray h = "le 26/09/2009 04:19:39.5 -x\xB0";
    garde_heure(h);
    EXPECT_EQ(h, octets(" 26/09/2009 04:19:39.5 -"));

    QByteArray n = "+1,2.5e-3E\xB5S 7";
    garde_car_nombre(n);
    EXPECT_EQ(n, octets("+1,2.5-3E7")); // decimal signs left as they are, 'e' dropped
    QByteArray vide;
    garde_car_nombre(vide);
    EXPECT_TRUE(vide.isEmpty());
}

TEST(Caracteres, CoupeAccolade) {
    struct Cas {
        const char* texte;
        const char* avant;
        const char* dedans;
    } cas[] = {
        {"Cond-{\xB5S/cm}", "Cond", "\xB5S/cm"},
        {"Cond", "Cond", ""},
        {"x-{", "x", ""},
        {"x-{}", "x", ""},
        {"-{a}", "", "a"},
        {"a-{b-{c}", "a", "b-{c"},
        {"", "", ""},
        {"a{b}", "a{b}", ""},
    };
    for (const auto& c : cas) {
        QByteArray avant = "reste", dedans = "reste";
        coupe_accolade(octets(c.texte), avant, dedans);
        EXPECT_EQ(avant, octets(c.avant)) << c.texte;
        EXPECT_EQ(dedans, octets(c.dedans)) << c.texte;
    }
    // The same variable as text and result.
    QByteArray t = "Cond-{mS}";
    QByteArray d;
    coupe_accolade(t, t, d);
    EXPECT_EQ(t, octets("Cond"));
    EXPECT_EQ(d, octets("mS"));
}

TEST(Caracteres, PositionHeure) {
    struct Cas {
        const char* texte;
        int position;
    } cas[] = {
        {"12:34:56", 6}, {"le 12:34:56 ok", 9}, {"1:2:3", 0},   {":::", 0},     {":  :", 4},
        {"", 0},         {"12:34", 0},          {"a::b::c", 5}, {"12:34:5", 6},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(position_hms_w(large(c.texte)), c.position) << c.texte;
        EXPECT_EQ(contient_hms_w(large(c.texte)), c.position != 0) << c.texte;
    }
}

// ---------------------------------------------------------------- trimming and paths

TEST(Espaces, Suppression) {
    struct Cas {
        const char* texte;
        const char* fin;
        const char* debut;
        const char* les_deux;
    } cas[] = {
        {"   ", "", " ", ""},
        {"", "", "", ""},
        {" a b ", " a b", "a b ", "a b"},
        {"x", "x", "x", "x"},
        {"\ta\t", "\ta\t", "\ta\t", "\ta\t"},
        {" ", "", " ", ""},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(supprime_espaces_fin(octets(c.texte)), octets(c.fin)) << '"' << c.texte << '"';
        EXPECT_EQ(supprime_espaces_debut(octets(c.texte)), octets(c.debut))
            << '"' << c.texte << '"';
        EXPECT_EQ(supprime_espaces(octets(c.texte)), octets(c.les_deux)) << '"' << c.texte << '"';
        EXPECT_EQ(supprime_espaces(large(c.texte)), large(c.les_deux)) << '"' << c.texte << '"';
    }
    EXPECT_EQ(supprime_espaces(QByteArray(" \0 ", 3)), QByteArray("\0", 1));
}

TEST(Chemins, AvecSeparateur) {
    const QString sep = QDir::separator();
    EXPECT_EQ(avec_antislash(QString()), QString());
    EXPECT_EQ(avec_antislash(QStringLiteral("/tmp/essai")), QStringLiteral("/tmp/essai") + sep);
    EXPECT_EQ(avec_antislash(QStringLiteral("/tmp/essai/")), QStringLiteral("/tmp/essai/"));
    EXPECT_EQ(avec_antislash(QStringLiteral("C:\\mesures\\")), QStringLiteral("C:\\mesures\\"));
}

// ---------------------------------------------------------------- numbers

TEST(Nombres, SigneDecimalEtNettoyage) {
    for (const char* nom : locales) {
        Locale_temporaire l(QString::fromLatin1(nom));
        const char s = regional::signe_decimal();
        for (char c : {'.', ','}) {
            char x = c;
            car_signe_decimal(x);
            EXPECT_EQ(x, s) << nom;
        }
        char autre = 'a';
        car_signe_decimal(autre);
        EXPECT_EQ(autre, 'a');

        const auto avec_signe = [s](const char* t) {
            QByteArray r(t);
            r.replace('#', s);
            return r;
        };
        struct Cas {
            const char* texte;
            const char* attendu; // '#' stands for the PC decimal sign
        } cas[] = {
            {"12.5 \xB0"
             "C",
             "12#5"},
            {"1 234.5", "1234#5"},
            {"1.5e3", "1#53"},
            {"-0,5 mS", "-0#5"},
            {"+1E-3x", "+1E-3"},
            {"abc", ""},
            {"", ""},
            {"1,2.3", "1#2#3"},
        };
        for (const auto& c : cas) {
            QByteArray t = c.texte;
            garde_nombre(t);
            EXPECT_EQ(t, avec_signe(c.attendu)) << nom << ' ' << c.texte;
            QString w = QString::fromLatin1(c.texte);
            garde_nombre_w(w);
            EXPECT_EQ(w, QString::fromLatin1(avec_signe(c.attendu))) << nom << ' ' << c.texte;
        }
    }
}

TEST(Nombres, LargeTesteLOctetBas) {
    Locale_temporaire l(QStringLiteral("fr_FR"));
    // U+2030 has the low byte '0', U+012E the low byte '.': wide characters are tested on
    // their low byte.
    QString w = QStringLiteral("1\u2030\u012E5\u0141");
    garde_nombre_w(w);
    EXPECT_EQ(w, QStringLiteral("1\u2030,5"));
    // Such a character never reads as a digit.
    EXPECT_EQ(en_reel(QStringLiteral("12\u2030")), 0.0);
    EXPECT_THROW(en_reel(QStringLiteral("\u20305")), ErreurConversion);
}

TEST(Nombres, EnReelSousLesDeuxSignes) {
    struct Cas {
        const char* texte;
        double attendu;
    } cas[] = {
        {"12.5", 12.5},
        {"-0,5 mS", -0.5},
        {"abc", 0},
        {"5E", 0},
        {"1e3", 13},
        {"", 0},
        {"1,5E3", 1500},
        {"+7", 7},
        {"1E-2", 0.01},
        {",5", 0.5},
        {"12,5 \xB5S/cm", 12.5},
        {"-", 0},
        {"3.", 0},
        {"0", 0},
        {"1 234,5", 1234.5},
        {"1E+2", 100},
        {"<0,05", 0.05},
    };
    for (const char* nom : locales) {
        Locale_temporaire l(QString::fromLatin1(nom));
        for (const auto& c : cas) {
            EXPECT_DOUBLE_EQ(en_reel(octets(c.texte)), c.attendu) << nom << ' ' << c.texte;
            EXPECT_DOUBLE_EQ(en_reel(large(c.texte)), c.attendu) << nom << ' ' << c.texte;
        }
    }
}

TEST(Nombres, ErreursDeConversion) {
    struct Cas {
        const char* texte;
        const char* nettoye; // '#' stands for the PC decimal sign
    } cas[] = {{"1.2.3", "1#2#3"}, {"1,2,3", "1#2#3"}, {"1-2", "1-2"}, {"--1", "--1"},
               {"1E2E3", "1E2E3"}, {"E5", "E5"},       {"+-5", "+-5"}, {"1.5E3.2", "1#5E3#2"}};
    for (const char* nom : locales) {
        Locale_temporaire l(QString::fromLatin1(nom));
        for (const auto& c : cas) {
            QString nettoye = QString::fromLatin1(c.nettoye);
            nettoye.replace(QLatin1Char('#'), QLatin1Char(regional::signe_decimal()));
            const QString attendu =
                QStringLiteral("'%1' n'est pas une valeur en virgule flottante correcte")
                    .arg(nettoye);
            try {
                en_reel(octets(c.texte));
                ADD_FAILURE() << nom << ' ' << c.texte << " lu sans erreur";
            } catch (const ErreurConversion& e) {
                EXPECT_EQ(e.message(), attendu) << nom;
                EXPECT_STREQ(e.what(), attendu.toStdString().c_str());
            }
            EXPECT_THROW(en_reel(large(c.texte)), ErreurConversion) << nom << ' ' << c.texte;
        }
    }
}

TEST(Nombres, EnEntier) {
    struct Cas {
        const char* texte;
        int attendu;
    } cas[] = {{"12", 12},
               {" -7 ", -7},
               {"abc", 0},
               {"", 0},
               {"12 s", 12},
               {"+3", 3},
               {"5E", 0},
               {"2147483647", INT_MAX},
               {"-2147483648", INT_MIN}};
    for (const char* nom : locales) {
        Locale_temporaire l(QString::fromLatin1(nom));
        for (const auto& c : cas) {
            EXPECT_EQ(en_entier(octets(c.texte)), c.attendu) << nom << ' ' << c.texte;
            EXPECT_EQ(en_entier(large(c.texte)), c.attendu) << nom << ' ' << c.texte;
        }
        for (const char* faux : {"12,5", "12.5", "1E3", "1-2", "2147483648", "-2147483649",
                                 "99999999999999999999999"}) {
            EXPECT_THROW(en_entier(octets(faux)), ErreurConversion) << nom << ' ' << faux;
            EXPECT_THROW(en_entier(large(faux)), ErreurConversion) << nom << ' ' << faux;
        }
    }
    Locale_temporaire fr(QStringLiteral("fr_FR"));
    try {
        en_entier(octets("12.5"));
        ADD_FAILURE();
    } catch (const ErreurConversion& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'12,5' n'est pas une valeur entière correcte"));
    }
}

TEST(Nombres, ValeursExtremesSansPlantage) {
    for (const char* nom : locales) {
        Locale_temporaire l(QString::fromLatin1(nom));
        EXPECT_EQ(en_reel(octets("1E999999999999999999")), std::numeric_limits<double>::infinity());
        EXPECT_EQ(en_reel(octets("-1E400")), -std::numeric_limits<double>::infinity());
        EXPECT_EQ(en_reel(octets("1E-999999999999")), 0.0);
        EXPECT_EQ(en_reel(octets("0,0000001E-400")), 0.0);
        EXPECT_EQ(en_reel(octets("0E999999")), 0.0);
        EXPECT_DOUBLE_EQ(en_reel(QByteArray(400, '1') + "E-399"), 1.1111111111111111);

        const QByteArray chiffres(100000, '7');
        EXPECT_EQ(en_reel(chiffres), std::numeric_limits<double>::infinity());
        EXPECT_THROW(en_entier(chiffres), ErreurConversion);
        EXPECT_EQ(en_reel(QByteArray(100000, 'x')), 0.0);
        EXPECT_DOUBLE_EQ(en_reel(QByteArray("\x00"
                                            "4\x00"
                                            "2\xFF",
                                            5)),
                         42.0);
        EXPECT_EQ(en_entier(QByteArray("\x00"
                                       "4\x00"
                                       "2\xFF",
                                       5)),
                  42);
    }
}

TEST(Nombres, EstNombre) {
    struct Cas {
        const char* texte;
        bool nombre;
    } cas[] = {
        {"<0,05", true}, {" 3.5 ", true},  {"1.5e3", true},   {"12 mS", false}, {"", false},
        {"   ", false},  {"<", false},     {"<<1", false},    {"-1", true},     {"+1E-3", true},
        {"1E", false},   {"1.2.3", false}, {"1,2", true},     {".5", true},     {"5.", true},
        {".", false},    {"-", false},     {"max lu", false}, {"< 1", false},   {"\t1", false},
        {"1e+5", true},  {"0x10", false},
    };
    for (const char* nom : locales) {
        Locale_temporaire l(QString::fromLatin1(nom));
        for (const auto& c : cas) {
            EXPECT_EQ(est_nombre(octets(c.texte)), c.nombre) << nom << " '" << c.texte << "'";
            EXPECT_EQ(est_nombre(large(c.texte)), c.nombre) << nom << " '" << c.texte << "'";
        }
    }
    EXPECT_FALSE(est_nombre(QByteArray("1\0", 2)));
    EXPECT_TRUE(est_nombre(QByteArray(100000, '9')));
    EXPECT_FALSE(est_nombre(QStringLiteral("\u0661"))); // a digit of another script
}

TEST(Nombres, NettoieSaisie) {
    struct Cas {
        const char* texte;
        const char* attendu; // '#' stands for the PC decimal sign
    } cas[] = {
        {"&\xE9\"'(-\xE8_\xE7\xE0", "12345-7890"}, // top row of a French keyboard
        {"1.5e3", "1#53"},
        {"+1,5E3 \xB5S", "+1#5E3"},
        {"abc", ""},
    };
    for (const char* nom : locales) {
        Locale_temporaire l(QString::fromLatin1(nom));
        for (const auto& c : cas) {
            QByteArray t = c.texte;
            nettoie_saisie_nombre(t);
            QByteArray attendu = c.attendu;
            attendu.replace('#', regional::signe_decimal());
            EXPECT_EQ(t, attendu) << nom << ' ' << c.texte;
        }
    }
}

TEST(Nombres, MaxiMini) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(maxi(1, 2), 2);
    EXPECT_EQ(maxi(2, 1), 2);
    EXPECT_EQ(mini(1, 2), 1);
    EXPECT_EQ(mini(2, 1), 1);
    // Equal or unordered: maxi gives b, mini gives a.
    EXPECT_TRUE(std::signbit(maxi(0.0, -0.0)));
    EXPECT_FALSE(std::signbit(mini(0.0, -0.0)));
    EXPECT_TRUE(std::isnan(maxi(1, nan)));
    EXPECT_EQ(maxi(nan, 1), 1);
    EXPECT_EQ(mini(1, nan), 1);
    EXPECT_TRUE(std::isnan(mini(nan, 1)));
}

TEST(Nombres, ArrondiSignificatif) {
    struct Cas {
        int direction;
        int chiffres;
        double x;
        double attendu;
    } cas[] = {
        {1, 2, 1234.5, 1300},
        {2, 2, 1234.5, 1200},
        {1, 1, 0.30000000000000004, 0.3},
        {2, 1, 0.30000000000000004, 0.3},
        {1, 2, 1.1, 1.1}, // 1.1 x 10 is 11.000000000000002 in doubles
        {1, 2, 0, 0},
        {2, 2, 0, 0},
        {1, 2, -1.23, -1.2},
        {2, 2, -1.23, -1.3},
        {1, 1, 0.037, 0.04},
        {1, 1, 75, 80},
        {1, 1, 5, 5},
        {7, 2, 1234.5, 1200}, // any direction but 1 rounds down
        {1, 3, 0.1 + 0.2, 0.3},
        {1, 2, 1e-5, 1e-5},
        {1, 1, 9.5, 10},
        {1, 1, 1e300, 1e300},
        {2, 3, 123456789, 123000000},
        {1, 0, 1234.5, 2000}, // fewer than one digit counts as one
        {1, 40, 1.5, 1.5},
    };
    for (const char* nom : locales) {
        Locale_temporaire l(QString::fromLatin1(nom));
        for (const auto& c : cas)
            EXPECT_EQ(arrondi_significatif(c.direction, c.chiffres, c.x), c.attendu)
                << nom << ' ' << c.direction << ' ' << c.chiffres << ' ' << c.x;
    }
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(arrondi_significatif(1, 2, inf), inf);
    EXPECT_EQ(arrondi_significatif(2, 2, -inf), -inf);
    EXPECT_TRUE(std::isnan(arrondi_significatif(1, 2, std::nan(""))));
    EXPECT_EQ(arrondi_significatif(1, 2, 1.79e308), inf);
    EXPECT_EQ(arrondi_significatif(1, 1, 5e-324), 5e-324);
    EXPECT_EQ(arrondi_significatif(2, 2, std::numeric_limits<double>::max()), 1.7e308);
}

TEST(Nombres, PasDeGraduation) {
    struct Cas {
        double mini, maxi, pas;
    } cas[] = {{0, 750, 80}, {700, 750, 5}, {0, 0.37, 0.04},
               {5, 5, 1},    {750, 0, -70}, {-1, 1, 0.2}};
    for (const char* nom : locales) {
        Locale_temporaire l(QString::fromLatin1(nom));
        for (const auto& c : cas)
            EXPECT_EQ(pas_graduation(c.mini, c.maxi), c.pas)
                << nom << ' ' << c.mini << ' ' << c.maxi;
    }
    EXPECT_TRUE(std::isnan(pas_graduation(0, std::nan(""))));
}

// ---------------------------------------------------------------- keys, colours, text

TEST(Touches, FiltreChiffre) {
    struct Cas {
        char16_t touche;
        char16_t attendu;
    } cas[] = {
        {0xE9, '2'}, {'-', '-'},  {'a', 0},   {';', 0},    {8, 8},      {9, 9},
        {',', ','},  {'.', '.'},  {'5', '5'}, {'&', '1'},  {'"', '3'},  {'\'', '4'},
        {'(', '5'},  {0xE8, '7'}, {'_', '8'}, {0xE7, '9'}, {0xE0, '0'}, {0, 0},
        {13, 0},     {'E', 0},    {'+', 0},   {0x0130, 0}, {0x2030, 0},
    };
    for (const auto& c : cas)
        EXPECT_EQ(filtre_touche_chiffre(QChar(c.touche)), QChar(c.attendu)) << int(c.touche);
}

TEST(Couleurs, Inverse) {
    struct Cas {
        TCouleur couleur, inverse;
    } cas[] = {{rgb(0, 0, 0), rgb(128, 128, 128)},
               {rgb(255, 255, 255), rgb(128, 128, 128)},
               {rgb(0, 100, 255), rgb(255, 155, 0)},
               {rgb(128, 128, 128), rgb(127, 127, 127)}};
    for (const auto& c : cas)
        EXPECT_EQ(couleur_inverse(c.couleur), c.inverse) << c.couleur;
    EXPECT_EQ(rouge(rgb(1, 2, 3)), 1);
    EXPECT_EQ(vert(rgb(1, 2, 3)), 2);
    EXPECT_EQ(bleu(rgb(1, 2, 3)), 3);
}

TEST(TexteEcran, Largeur) {
    struct Cas {
        QString texte;
        int minimum, largeur;
    } cas[] = {
        {QStringLiteral("abc\n\nabcdef"), 50, 78},
        {QStringLiteral("ab"), 50, 50},
        {QStringLiteral("   ab   \n a "), 0, 26},
        {QString(), 641, 641},
        {QStringLiteral("\n\n\n"), 0, 0},
        {QString(100000, QLatin1Char('x')), 641, 1300000},
        {QStringLiteral("ab\r\ncd"), 0, 39}, // only the line feed cuts
    };
    for (const auto& c : cas)
        EXPECT_EQ(largeur_texte(c.texte, c.minimum), c.largeur);
}

TEST(TexteEcran, Booleens) {
    EXPECT_EQ(bool_en_texte(true), octets("true"));
    EXPECT_EQ(bool_en_texte(false), octets("false"));
    for (const char* t : {"True", "TRUE", " true", "true ", "", "1", "false"})
        EXPECT_FALSE(texte_en_bool(octets(t))) << t;
    EXPECT_TRUE(texte_en_bool(octets("true")));
    EXPECT_FALSE(texte_en_bool(QByteArray("true\0", 5)));
}

// ---------------------------------------------------------------- line files

class FichiersLignes : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    QString chemin(const char* nom) const { return dossier.filePath(QString::fromLatin1(nom)); }
};

TEST_F(FichiersLignes, LectureParNumero) {
    ASSERT_TRUE(dossier.isValid());
    QByteArray vingt;
    for (int i = 1; i <= 20; ++i)
        vingt += "ligne " + QByteArray::number(i) + "\r\n";
    const QString f20 = chemin("vingt.prm");
    ASSERT_TRUE(ecrit_fichier(f20, vingt));
    EXPECT_EQ(lit_ligne(f20, 1), octets("ligne 1"));
    EXPECT_EQ(lit_ligne(f20, 20), octets("ligne 20"));
    // Past the end: nothing, so a short file does not feed its last line to later settings.
    EXPECT_EQ(lit_ligne(f20, 25), QByteArray());
    EXPECT_EQ(lit_ligne_defaut(f20, 25, "defaut"), octets("defaut"));
    EXPECT_EQ(lit_ligne_defaut(f20, 3, "defaut"), octets("ligne 3"));
    EXPECT_EQ(lit_ligne(f20, 0), QByteArray());
    EXPECT_EQ(lit_ligne(f20, -3), QByteArray());

    const QString lf = chemin("lf.prm");
    ASSERT_TRUE(ecrit_fichier(lf, "un\n\ntrois\r\n\xE9t\xE9"));
    struct Cas {
        int n;
        const char* ligne;
    } cas[] = {{1, "un"}, {2, ""}, {3, "trois"}, {4, "\xE9t\xE9"}, {5, ""}};
    for (const auto& c : cas)
        EXPECT_EQ(lit_ligne(lf, c.n), octets(c.ligne)) << c.n;
    EXPECT_EQ(lit_ligne_defaut(lf, 2, "d"), octets("d"));

    const QString vide = chemin("vide.prm");
    ASSERT_TRUE(ecrit_fichier(vide, ""));
    EXPECT_EQ(lit_ligne(vide, 1), QByteArray());
    EXPECT_EQ(lit_ligne(chemin("absent.prm"), 1), QByteArray());
    EXPECT_EQ(lit_ligne_defaut(chemin("absent.prm"), 1, "d"), octets("d"));
    EXPECT_EQ(lit_ligne(QString(), 1), QByteArray());

    // A file that a modern editor saved as UTF-8 comes back as Windows-1252.
    const QString utf8 = chemin("utf8.prm");
    ASSERT_TRUE(ecrit_fichier(utf8, "a\r\n\xC3\xA9t\xC3\xA9 \xC2\xB5S\r\n"));
    EXPECT_EQ(lit_ligne(utf8, 2), octets("\xE9t\xE9 \xB5S"));
    ASSERT_TRUE(ecrit_fichier(utf8, "\xEF\xBB\xBF"
                                    "\xC3\xA9\r\nb"));
    EXPECT_EQ(lit_ligne(utf8, 1), octets("\xE9"));
    EXPECT_EQ(lit_ligne(utf8, 2), octets("b"));

    const QString binaire = chemin("binaire.prm");
    ASSERT_TRUE(ecrit_fichier(binaire, QByteArray("\x00\xFF\r\n\x00", 5)));
    EXPECT_EQ(lit_ligne(binaire, 1), QByteArray("\x00\xFF", 2));
    EXPECT_EQ(lit_ligne(binaire, 2), QByteArray("\x00", 1));
}

TEST_F(FichiersLignes, EcritureGardeTrenteLignes) {
    ASSERT_TRUE(dossier.isValid());
    const QString f = chemin("Probelog.prm");
    ASSERT_TRUE(ecrit_ligne("\xE9t\xE9", f, 3));
    QByteArray attendu;
    for (int i = 1; i <= 30; ++i)
        attendu += (i == 3 ? QByteArray("\xE9t\xE9") : QByteArray()) + "\r\n";
    EXPECT_EQ(lit_fichier(f), attendu);

    ASSERT_TRUE(ecrit_ligne("trente", f, 30));
    ASSERT_TRUE(ecrit_ligne("un", f, 1));
    EXPECT_EQ(lit_ligne(f, 1), octets("un"));
    EXPECT_EQ(lit_ligne(f, 3), octets("\xE9t\xE9"));
    EXPECT_EQ(lit_ligne(f, 30), octets("trente"));
    EXPECT_EQ(lit_fichier(f).count("\r\n"), 30);

    for (int n : {0, 31, -1})
        EXPECT_FALSE(ecrit_ligne("x", f, n)) << n;
    EXPECT_EQ(lit_ligne(f, 1), octets("un"));

    // A longer file loses its lines after the 30th; LF lines become CR LF.
    QByteArray long_;
    for (int i = 1; i <= 40; ++i)
        long_ += QByteArray::number(i) + "\n";
    ASSERT_TRUE(ecrit_fichier(f, long_));
    ASSERT_TRUE(ecrit_ligne("deux", f, 2));
    QByteArray trente;
    for (int i = 1; i <= 30; ++i)
        trente += (i == 2 ? QByteArray("deux") : QByteArray::number(i)) + "\r\n";
    EXPECT_EQ(lit_fichier(f), trente);

    // A line end inside the value would shift the lines after it.
    ASSERT_TRUE(ecrit_ligne("a\r\nb", f, 5));
    EXPECT_EQ(lit_ligne(f, 5), octets("a  b"));
    EXPECT_EQ(lit_ligne(f, 6), octets("6"));
    EXPECT_EQ(lit_fichier(f).count("\r\n"), 30);
}

TEST_F(FichiersLignes, EcritureImpossible) {
    ASSERT_TRUE(dossier.isValid());
    EXPECT_FALSE(ecrit_ligne("x", QString(), 1));
    EXPECT_FALSE(ecrit_ligne("x", chemin("absent/Probelog.prm"), 1));
    EXPECT_FALSE(QFile::exists(chemin("absent")));
    // A folder where the file should be.
    ASSERT_TRUE(QDir(dossier.path()).mkdir(QStringLiteral("dossier.prm")));
    EXPECT_FALSE(ecrit_ligne("x", chemin("dossier.prm"), 1));
}

} // namespace
