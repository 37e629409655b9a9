// Instrument lines, settings and typed values through the text and number utilities: nothing
// may crash, and a few properties must hold whatever the bytes.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "util/cp1252.h"
#include "util/regional.h"
#include "util/texte.h"

namespace {

void verifie(bool condition) {
    if (!condition) std::abort();
}

double lit_reel(const QByteArray& t) {
    try {
        return en_reel(t);
    } catch (const ErreurConversion&) {
        return 0;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    if (taille < 2) return 0;
    // First byte: the PC decimal sign, the separator and the field number.
    const std::uint8_t choix = donnees[0];
    const std::uint8_t separateur = donnees[1];
    regional::TRegional reglages;
    reglages.signe_decimal = (choix & 1) ? ',' : '.';
    reglages.format_date_courte = QStringLiteral("dd/MM/yyyy");
    regional::fixe(reglages);
    const int n = (choix >> 1) % 8; // 0 included: no such field
    const QByteArray texte(reinterpret_cast<const char*>(donnees + 2), qsizetype(taille - 2));
    const QString large = depuis_1252(texte);

    const QByteArray champ = extrait(texte, n, char(separateur));
    verifie(texte.isEmpty() || champ.size() <= texte.size());
    const QString champ_w = extrait_w(large, n, QChar(char16_t(separateur)));
    verifie(champ_w.size() <= large.size());
    const QString champ_espace = extrait_w(large, n, QLatin1Char(' '));
    verifie(champ_espace.isEmpty() ||
            (champ_espace.front() != QLatin1Char(' ') && champ_espace.back() != QLatin1Char(' ')));
    extrait_entier(texte, n, char(separateur), 7);
    compte_car_w(QChar(char16_t(separateur)), large);

    QByteArray nombre = texte;
    garde_nombre(nombre);
    QByteArray deux_fois = nombre;
    garde_nombre(deux_fois);
    verifie(deux_fois == nombre);
    QString nombre_w = large;
    garde_nombre_w(nombre_w);

    double x = lit_reel(texte);
    try {
        en_reel(large);
    } catch (const ErreurConversion&) {
    }
    try {
        en_entier(texte);
    } catch (const ErreurConversion&) {
    }
    est_nombre(texte);
    est_nombre(large);

    for (int k = 1; k <= 3; ++k) {
        const double haut = arrondi_significatif(1, k, x);
        const double bas = arrondi_significatif(2, k, x);
        if (std::isfinite(x) && std::isfinite(haut) && std::isfinite(bas)) verifie(bas <= haut);
    }
    // Two reals from the two halves as axis limits.
    const double a = lit_reel(texte.left(texte.size() / 2));
    const double b = lit_reel(texte.mid(texte.size() / 2));
    pas_graduation(a, b);
    if (std::isfinite(x)) pas_graduation(0, x);

    QByteArray avant, dedans;
    coupe_accolade(texte, avant, dedans);
    verifie(avant.size() + dedans.size() <= texte.size());

    const int position = position_hms_w(large);
    verifie(contient_hms_w(large) == (position != 0));
    if (position != 0)
        verifie(position >= 4 && position <= large.size() &&
                large[position - 1] == QLatin1Char(':') && large[position - 4] == QLatin1Char(':'));

    largeur_texte(large, 641);
    supprime_espaces(texte);
    QByteArray saisie = texte;
    nettoie_saisie_nombre(saisie);
    lit_reel(saisie);
    return 0;
}
