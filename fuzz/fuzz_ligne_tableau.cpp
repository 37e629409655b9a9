// The row-text reader of the instrument table on any bytes: 17 cells, no fault, and a row
// written back reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Compiled here rather than taken from the core library, so that the fuzzer sees inside them.
#include "../src/parametres/tableau.cpp"
#include "../src/util/cp1252.cpp"
#include "../src/util/texte.cpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const QByteArray texte(reinterpret_cast<const char*>(donnees), qsizetype(taille));
    TTableau_multimetres t;
    t.lit_texte_ligne(1, texte);
    for (int c = 0; c < TTableau_multimetres::nb_colonnes; ++c)
        if (t.cellule(c, 1).contains('\0')) std::abort(); // a NUL ends the text

    // Written then read: every cell comes back, an empty cell as " " at worst.
    const QByteArray ecrit = t.texte_ligne(1);
    TTableau_multimetres u;
    u.lit_texte_ligne(1, ecrit);
    for (int c = 0; c < TTableau_multimetres::nb_colonnes; ++c) {
        const QByteArray& avant = t.cellule(c, 1);
        const QByteArray& apres = u.cellule(c, 1);
        if (avant != apres && !(avant.isEmpty() && apres == " ")) std::abort();
    }
    // From then on the text is stable.
    if (u.texte_ligne(1) != [&] {
            TTableau_multimetres v;
            v.lit_texte_ligne(1, u.texte_ligne(1));
            return v.texte_ligne(1);
        }())
        std::abort();

    // The record built from any row never faults, only reports a bad number.
    u.fixe_cellule(1, 1, "x");
    TMultimetre m;
    try {
        u.actualise_multimetre(m);
    } catch (const ErreurConversion&) {
    }
    (void)u.compose_config_com();
    return 0;
}
