#include <gtest/gtest.h>

#include "app/options.h"

namespace {
TOptions analyse(std::initializer_list<const char*> arguments) {
    QStringList liste{QStringLiteral("probelog")};
    for (const char* a : arguments)
        liste << QString::fromUtf8(a);
    return analyse_options(liste);
}
} // namespace

TEST(Options, LignesCorrectes) {
    const TOptions a = analyse({"--reglages", "/tmp/r", "--locale", "en_US"});
    EXPECT_TRUE(a.erreur.isEmpty()) << a.erreur.toStdString();
    EXPECT_EQ(a.dossier_reglages, QStringLiteral("/tmp/r"));
    EXPECT_EQ(a.locale, QStringLiteral("en_US"));
    EXPECT_FALSE(a.sans_fenetre);

    const TOptions b = analyse({"--sans-fenetre", "--demo", "400", "--t0", "100", "--sortie",
                                "x.txt", "--image", "c.png", "--taille", "800x300"});
    EXPECT_TRUE(b.erreur.isEmpty()) << b.erreur.toStdString();
    EXPECT_EQ(b.demo, 400);
    EXPECT_EQ(b.t0, 100);
    EXPECT_EQ(b.largeur_image, 800);
    EXPECT_EQ(b.hauteur_image, 300);

    const TOptions c =
        analyse({"--sans-fenetre", "--port", "/dev/ttyUSB0", "--points", "10", "--duree", "2.5"});
    EXPECT_TRUE(c.erreur.isEmpty()) << c.erreur.toStdString();
    EXPECT_EQ(c.points, 10);
    EXPECT_DOUBLE_EQ(c.duree, 2.5);
}

TEST(Options, ErreursDUtilisationEnFrancais) {
    const struct {
        std::initializer_list<const char*> arguments;
        const char* debut_message;
    } cas[] = {
        {{"--inconnue"}, "option inconnue"},
        {{"--sans-fenetre"}, "--sans-fenetre demande un seul mode"},
        {{"--sans-fenetre", "--demo", "3", "--rejouer", "f"},
         "--sans-fenetre demande un seul mode"},
        {{"--demo", "3"}, "--demo, --rejouer"},
        {{"--sans-fenetre", "--demo", "beaucoup"}, "--demo attend un nombre entier positif"},
        {{"--sans-fenetre", "--demo", "-4"}, "--demo attend un nombre entier positif"},
        {{"--sans-fenetre", "--port", "p", "--duree", "x"}, "--duree attend un nombre de secondes"},
        {{"--sans-fenetre", "--demo", "3", "--taille", "10x10"}, "--taille attend"},
        {{"--sans-fenetre", "--demo", "3", "--taille", "grand"}, "--taille attend"},
        {{"--locale", "xx_YY_nimporte"}, "--locale : réglages régionaux inconnus"},
        {{"reste"}, "argument inattendu"},
        {{"--reglages"}, "valeur manquante"},
    };
    for (const auto& c : cas) {
        const TOptions o = analyse(c.arguments);
        EXPECT_TRUE(o.erreur.startsWith(QString::fromUtf8(c.debut_message)))
            << "message : " << o.erreur.toStdString();
    }
}

TEST(Options, AideEnFrancais) {
    const TOptions o = analyse({"--help"});
    EXPECT_TRUE(o.aide);
    EXPECT_TRUE(o.texte_aide.contains(QStringLiteral("Utilisation :")));
    EXPECT_TRUE(o.texte_aide.contains(QStringLiteral("--reglages <DOSSIER>")));
    EXPECT_FALSE(o.texte_aide.contains(QStringLiteral("Usage:")));
}
