// Arbitrary bytes through both acquisition loops into the decoder, with a few instrument
// descriptions. The first byte picks one of those instruments and the reading options; the rest is
// cut into pieces at 0x00 bytes, each piece being one line (line loop) or one received text
// (character loop).
#include <QCoreApplication>
#include <QLocale>
#include <cstddef>
#include <cstdint>

#include "acquisition/boucle_caracteres.h"
#include "acquisition/boucle_lignes.h"
#include "acquisition/programme.h"
#include "acquisition/rapport.h"
#include "util/cp1252.h"
#include "util/regional.h"

namespace {

class Source_octets : public TSource_lignes, public TSource_caracteres {
public:
    explicit Source_octets(QList<QByteArray> morceaux) : morceaux(std::move(morceaux)) {}
    bool ligne_suivante(QString& ligne) override {
        if (suivant >= morceaux.size()) return false;
        ligne = depuis_1252(morceaux.at(suivant++));
        return true;
    }
    bool lit(QString& texte, int& nombre) override {
        if (suivant >= morceaux.size()) return false;
        const QString recu = depuis_1252(morceaux.at(suivant++));
        nombre = int(recu.size());
        texte = nombre < 3 ? QString() : recu.left(nombre - 2);
        return true;
    }
    QList<QByteArray> morceaux;
    int suivant = 0;
};

const char* const instruments[] = {
    // The example conductivity meter, one time of day per line.
    "1,x,WTW3430,COM7,9600,1,conductivit\xE9, 750,700,50,\"0,100,255\",7,Cond,espace,2,::",
    // CSV fields, an exclusion, a one-character separator.
    "1,x,Multi,COM1,9600,1,Cond-{\xB5S/cm}, 2000,0,100,\"0,0,255\",3,Cond-{Sal},;,1,:,fin",
    // Tab-separated, empty marker.
    "1,x,X,COM2,4800,2,grandeur,1,0,0,\"1,2,3\",1,,tabulation,0,",
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    static int argc = 1;
    static char nom[] = "fuzz_boucles";
    static char* argv[] = {nom, nullptr};
    static QCoreApplication* application = [] {
        auto* a = new QCoreApplication(argc, argv);
        regional::initialise(QLocale(QStringLiteral("fr_FR")));
        return a;
    }();
    (void)application;
    if (taille == 0) return 0;
    const uint8_t choix = donnees[0];
    const QByteArray reste(reinterpret_cast<const char*>(donnees + 1), qsizetype(taille - 1));

    TProgramme programme;
    programme.tableau.lit_texte_ligne(1, instruments[choix % 3]);
    programme.tableau.lit_texte_ligne(2, TTableau_multimetres::texte_exemple(2));
    programme.reglages.mode_demo = false;
    programme.reglages.ph_ox_3sondes = (choix >> 2) & 1;
    programme.reglages.lecture_csv = (choix >> 3) & 1;
    programme.attente = [](int) {};
    QDateTime maintenant(QDate(2024, 5, 1), QTime(23, 59, 0));
    programme.horloge = [&maintenant] { return maintenant = maintenant.addSecs(1); };
    programme.etat.heure_depart = maintenant;
    if ((choix >> 4) & 1) programme.etat.indice_t0 = 2;

    Source_octets source(reste.split('\0'));
    TRapport rapport;
    try {
        if (programme.reglages.lecture_csv)
            boucle_lignes(programme, rapport, source);
        else
            boucle_caracteres(programme, rapport, source);
    } catch (const ErreurConversion&) {
        // Only the instrument table may refuse a number (a bad description is the operator's to
        // mend): the bytes received never do.
        if (source.suivant > 0) __builtin_trap();
    }
    // The block under assembly never grows without limit.
    if (programme.etat.bloc_en_cours.size() > bloc_max_caracteres + 70000) __builtin_trap();
    if (programme.stock.nb_mesures >= programme.stock.capacite_mesures) __builtin_trap();
    return 0;
}
