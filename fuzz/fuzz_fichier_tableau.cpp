// The table-file loader on any bytes: the table always ends with 17 columns and at least one
// instrument, and what it saves loads again.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Compiled here rather than taken from the core library, so that the fuzzer sees inside them.
#include "../src/parametres/fichiers_parametres.cpp"
#include "../src/parametres/instrument_actif.cpp"
#include "../src/parametres/tableau.cpp"
#include "../src/util/cp1252.cpp"
#include "../src/util/texte.cpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    // Saves are synced to disk; a memory file system keeps the runs fast where there is one.
    static QTemporaryDir dossier(QDir(QStringLiteral("/dev/shm")).exists()
                                     ? QStringLiteral("/dev/shm/fuzz_tableau-XXXXXX")
                                     : QDir::tempPath() + QStringLiteral("/fuzz_tableau-XXXXXX"));
    const QString fichier = dossier.filePath(QStringLiteral("t.ini"));
    const QString copie = dossier.filePath(QStringLiteral("copie.ini"));
    {
        QFile f(fichier);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        f.write(reinterpret_cast<const char*>(donnees), qint64(taille));
    }
    int nb_messages = 0;
    const TSignale signale = [&](const QString& m) {
        if (m.isEmpty()) std::abort();
        ++nb_messages;
    };

    TTableau_multimetres t;
    const TChargement resultat = charge_tableau(t, fichier, {}, signale);
    if (resultat == TChargement::refuse || resultat == TChargement::absent) std::abort();
    if (t.nb_lignes() < 3 || t.nb_lignes() > nb_lignes_tableau_max) std::abort();
    if (t.cellule(2, 0) != "multim\xE8tre") std::abort();

    TMultimetre m;
    try {
        t.actualise_multimetre(m);
    } catch (const ErreurConversion&) {
    }

    // Saved (row 1 nearly empty: declined) and loaded again: same size, a proper table file.
    if (enregistre_tableau(t, copie, {}) == TEnregistrement::enregistre) {
        TTableau_multimetres u;
        nb_messages = 0;
        if (charge_tableau(u, copie, {}, signale) != TChargement::charge) std::abort();
        if (nb_messages != 0 || u.nb_lignes() != t.nb_lignes()) std::abort();
        // Row 1 was not nearly empty, so it comes back (an empty cell as " " at worst).
        for (int c = 0; c < TTableau_multimetres::nb_colonnes; ++c) {
            const QByteArray& avant = t.cellule(c, 1);
            const QByteArray& apres = u.cellule(c, 1);
            if (avant != apres && !(avant.isEmpty() && apres == " ")) std::abort();
        }
    }
    return 0;
}
