#include "acquisition/decodeur.h"

#include <QRandomGenerator>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "acquisition/traceur.h"
#include "util/cp1252.h"
#include "util/regional.h"
#include "util/texte.h"

namespace {

const QByteArray prefixe_micro("\xB5");
const QByteArray prefixe_milli("m");

// A text of the table (Windows-1252) inside a decoded line. Texts without the bytes 0x80..0x9F
// read the same in Latin-1: no conversion, no allocation.
bool contient(const QString& ligne, const QByteArray& motif) {
    for (char c : motif) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 0x80 && u <= 0x9F) return ligne.contains(depuis_1252(motif));
    }
    return ligne.contains(QLatin1String(motif.constData(), motif.size()));
}

// "### ### ###": digits in groups of three separated by a space.
QString groupe_milliers(std::int32_t n) {
    QString chiffres = QString::number(n);
    const bool negatif = n < 0;
    if (negatif) chiffres.remove(0, 1);
    for (qsizetype i = chiffres.size() - 3; i > 0; i -= 3)
        chiffres.insert(i, QLatin1Char(' '));
    if (negatif) chiffres.prepend(QLatin1Char('-'));
    return chiffres;
}

// hh:mm:ss of the time-of-day part of a duration (25 hours show as 01:00:00).
QByteArray hms(qint64 secondes) {
    secondes = std::llabs(secondes) % 86400;
    char tampon[16];
    std::snprintf(tampon, sizeof tampon, "%02d:%02d:%02d", int(secondes / 3600),
                  int(secondes / 60 % 60), int(secondes % 60));
    return QByteArray(tampon);
}

// printf "%3.1g" with the PC decimal sign.
QString format_g31(double valeur) {
    char tampon[64];
    std::snprintf(tampon, sizeof tampon, "%3.1g", valeur);
    for (char* c = tampon; *c; ++c)
        if (*c == '.' || *c == ',') *c = regional::signe_decimal();
    return QString::fromLatin1(tampon);
}

// Wall-clock difference of two PC times, as the texts of the points show them: no time zone is
// consulted on the per-point path. An unset time counts as no difference.
qint64 ecart_ms(const QDateTime& depuis, const QDateTime& jusqua) {
    if (!depuis.isValid() || !jusqua.isValid()) return 0;
    return (jusqua.date().toJulianDay() - depuis.date().toJulianDay()) * 86400000 +
           (jusqua.time().msecsSinceStartOfDay() - depuis.time().msecsSinceStartOfDay());
}

QByteArray en_octets(const QString& texte) {
    return vers_1252(texte);
}

// The date text of t in the short date format, formatted again only when the date or the
// format changed.
const TContexte_decodage::TDate_ecrite& date_ecrite(TContexte_decodage& contexte,
                                                    const QDateTime& t) {
    TContexte_decodage::TDate_ecrite& d = contexte.date_ecrite;
    const QString& format = regional::courant().format_date_courte;
    if (d.texte.isNull() || d.date != t.date() || d.format != format) {
        d.date = t.date();
        d.format = format;
        d.texte = t.date().toString(format);
        d.octets = en_octets(d.texte);
    }
    return d;
}

// "hh:mm:ss" of a time of day, as QTime::toString writes it.
void ajoute_hms(char* sortie, int heures, int minutes, int secondes) {
    sortie[0] = char('0' + heures / 10);
    sortie[1] = char('0' + heures % 10);
    sortie[2] = ':';
    sortie[3] = char('0' + minutes / 10);
    sortie[4] = char('0' + minutes % 10);
    sortie[5] = ':';
    sortie[6] = char('0' + secondes / 10);
    sortie[7] = char('0' + secondes % 10);
}

// Climbs from `depart` by `pas` until `cible` is reached. Beyond a reasonable number of steps
// (a garbled huge value) the result is computed at once, so that no line can stall the loop.
double monte(double depart, double pas, double cible) {
    if (!(pas > 0) || !std::isfinite(pas)) return cible;
    const double nb_pas = (cible - depart) / pas;
    if (nb_pas > 10000) return depart + std::ceil(nb_pas) * pas;
    double limite = depart;
    while (limite < cible)
        limite += pas;
    return limite;
}

double descend(double depart, double pas, double cible) {
    if (!(pas > 0) || !std::isfinite(pas)) return cible;
    const double nb_pas = (depart - cible) / pas;
    if (nb_pas > 10000) return depart - std::ceil(nb_pas) * pas;
    double limite = depart;
    while (limite > cible)
        limite -= pas;
    return limite;
}

// Returns the text shown, so that the second pass can show it again.
QString gradue_grandeur1(TMultimetre& m, TRapport& rapport, double g1) {
    m.y_graduation[1] = pas_graduation(mini(m.y_min[1], g1), maxi(m.y_max[1], g1));
    QString texte = regional::format_general(m.y_graduation[1]);
    rapport.texte("Edit_y1_graduation", texte);
    return texte;
}

void gradue_grandeur2(TMultimetre& m, TRapport& rapport, double g2) {
    const double etendue = maxi(m.y_max[2], g2) - mini(m.y_min[2], g2);
    if (m.y_graduation[2] == 0) m.y_graduation[2] = 10;
    const double rapport_pas = etendue / m.y_graduation[2];
    if (rapport_pas > 6 || rapport_pas < 3) {
        m.y_graduation[2] = pas_graduation(mini(m.y_min[2], g2), maxi(m.y_max[2], g2));
        rapport.texte("Edit_y2_graduation", regional::format_general(m.y_graduation[2]));
    }
}

// The plot's axes follow the values: limits widened by whole graduations.
void suivi_axes(TMultimetre& m, TRapport& rapport, double g1, double g2) {
    const QString texte_pas1 = gradue_grandeur1(m, rapport, g1);
    const double y_min1 = m.y_min[1], y_max1 = m.y_max[1], pas1 = m.y_graduation[1];
    gradue_grandeur2(m, rapport, g2);
    if (g1 > m.y_max[1]) {
        m.y_max[1] = arrondi_significatif(1, 2, monte(m.y_min[1], m.y_graduation[1], g1));
        rapport.texte("Edit_max_y1", regional::format_general(m.y_max[1]));
    }
    if (g2 > m.y_max[2]) {
        m.y_max[2] = monte(m.y_min[2], m.y_graduation[2], g2);
        rapport.texte("Edit_max_y2", regional::format_general(m.y_max[2]));
    }
    if (g1 < m.y_min[1]) {
        m.y_min[1] = arrondi_significatif(2, 2, descend(m.y_max[1], m.y_graduation[1], g1));
        rapport.texte("Edit_min_y1", regional::format_general(m.y_min[1]));
    }
    if (g2 < m.y_min[2]) {
        m.y_min[2] = descend(m.y_max[2], m.y_graduation[2], g2);
        rapport.texte("Edit_min_y2", regional::format_general(m.y_min[2]));
    }
    if (m.y_graduation[1] == 0) m.y_graduation[1] = 10;
    // The step of quantity 1 depends only on its limits and the value: while the limits did not
    // move it is the one just worked out, shown again.
    if (m.y_min[1] == y_min1 && m.y_max[1] == y_max1) {
        m.y_graduation[1] = pas1;
        rapport.texte("Edit_y1_graduation", texte_pas1);
    } else {
        gradue_grandeur1(m, rapport, g1);
    }
    gradue_grandeur2(m, rapport, g2);
}

// Numbers too large for a real are as unreadable as '1.2.3'.
double reel_fini(const QByteArray& texte, double echelle = 1) {
    const double valeur = en_reel(texte) * echelle;
    if (!std::isfinite(valeur))
        throw ErreurConversion(
            QStringLiteral("'%1' n'est pas une valeur en virgule flottante correcte")
                .arg(depuis_1252(texte)));
    return valeur;
}

void rejette(TProgramme& programme, TRapport& rapport, const QString& ligne,
             const QString& erreur) {
    rapport.journal(QStringLiteral("ligne rejetée : ") + ligne);
    rapport.journal(QStringLiteral("  ") + erreur);
    ++programme.etat.nb_lignes_rejetees;
    rapport.texte("Label_rejets",
                  QStringLiteral("lignes rejetées : %1").arg(programme.etat.nb_lignes_rejetees));
}

void ajoute_ligne(TProgramme& programme, TRapport& rapport, const QByteArray& ligne) {
    programme.lignes.ajoute(ligne);
    rapport.ligne_decodee(ligne);
}

} // namespace

QByteArray cherche_decimales(const QByteArray& table_decimales, const QByteArray& cle,
                             const QByteArray& defaut) {
    QByteArray table = table_decimales;
    for (char& c : table) {
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        if (c == '=') c = ';';
    }
    QByteArray cle_maj = cle;
    for (char& c : cle_maj)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    const qsizetype p = cle_maj.isEmpty() ? 0 : table.indexOf(cle_maj) + 1;
    QByteArray decimales = extrait(table, int((p + 1) / 2 + 1), ';');
    garde_nombre(decimales);
    if (decimales.isEmpty()) return defaut;
    // Only a plain count makes a valid format; anything else ('1.5', '-2', '1E3') falls back.
    if (decimales.size() > 2) return defaut;
    for (char c : decimales)
        if (c < '0' || c > '9') return defaut;
    return decimales;
}

bool decode_enregistrement(TProgramme& programme, TRapport& rapport, TVariante_decodeur variante,
                           const QString& ligne_recue, TContexte_decodage& contexte) {
    TEtat_acquisition& etat = programme.etat;
    TStock_mesures& stock = programme.stock;
    TMultimetre& m = programme.multimetre_actif;
    const TReglages& reglages = programme.reglages;
    const bool mode_lignes = variante == TVariante_decodeur::lignes;
    const bool demo_caracteres = !mode_lignes && reglages.mode_demo;

    // The line as received: the three-probe fields are read from it.
    const QString& copie = ligne_recue;
    garde_heure(contexte.texte_heure);
    if (reglages.lecture_sans_traitement) return false;

    if (compte_car_w(m.car_hms, ligne_recue) == m.nb_hms[1])
        contexte.texte_heure = en_octets(ligne_recue);
    // No point is taken before a time text has been seen.
    const bool ligne_vide = stock.nb_mesures == 0 && contexte.texte_heure.isEmpty();
    if (stock.nb_mesures == 0) {
        etat.nb_decimales = "1";
        etat.aire = 0;
    }
    if (ligne_vide || m.repere[1].isEmpty() || !contient(ligne_recue, m.repere[1])) return false;
    if (!m.exclusion.isEmpty() && contient(ligne_recue, m.exclusion)) return false;
    garde_heure(contexte.texte_heure);

    // In line mode a record that carries its own time replaces the latest point.
    const bool remplace = mode_lignes && compte_car_w(QLatin1Char(':'), ligne_recue) == 2;
    const std::int32_t n = remplace ? stock.nb_mesures : stock.nb_mesures + 1;

    // Everything is read before anything is stored: a line with an unreadable number is
    // rejected whole and the point index does not move.
    const QChar separateur1(static_cast<unsigned char>(m.separateur[1]));
    const QChar separateur2(static_cast<unsigned char>(m.separateur[2]));
    QByteArray texte1 = en_octets(extrait_w(ligne_recue, m.occurence[1], separateur1));
    const QString champ_prefixe = extrait_w(ligne_recue, m.occurence[1] + 1, separateur1);
    const QByteArray prefixe =
        champ_prefixe.isEmpty() ? QByteArray() : en_octets(champ_prefixe.left(1));
    const QByteArray& prefixe_initial = n <= 3 ? prefixe : etat.prefixe_initial;
    double echelle = 1;
    if (n >= 4) {
        // An instrument that switches from µS/cm to mS/cm keeps being recorded in µS/cm.
        if (prefixe == prefixe_milli && prefixe_initial == prefixe_micro)
            echelle = 1000;
        else if (prefixe == prefixe_micro && prefixe_initial == prefixe_milli)
            echelle = 0.001;
    }
    garde_car_nombre(texte1);
    QByteArray texte2 = en_octets(extrait_w(ligne_recue, m.occurence[2], separateur2));
    garde_car_nombre(texte2);
    garde_nombre(texte1);
    garde_nombre(texte2);
    const bool trois_sondes = reglages.ph_ox_3sondes;
    QByteArray texte_ph, texte_ox;
    double g1 = 0, g2 = 0, ph = 0, ox = 0;
    try {
        g1 = reel_fini(texte1, echelle);
        g2 = reel_fini(texte2);
        if (trois_sondes) {
            texte_ph = en_octets(extrait_w(copie, 7, separateur2));
            garde_car_nombre(texte_ph);
            ph = reel_fini(texte_ph);
            texte_ox = en_octets(extrait_w(copie, 9, separateur2));
            garde_car_nombre(texte_ox);
            ox = reel_fini(texte_ox);
        }
    } catch (const ErreurConversion& erreur) {
        rejette(programme, rapport, ligne_recue, erreur.message());
        return false;
    }
    const QDateTime t = programme.horloge();

    // Storing.
    stock.prepare_point_suivant();
    stock.nb_mesures = n;
    const bool rafraichit = !(mode_lignes && etat.relecture);
    if (rafraichit || n % 10 == 0) {
        const QString nombre = groupe_milliers(n);
        rapport.texte("Label_n", QStringLiteral("n = ") + nombre);
        rapport.texte("Form2.Label_n", nombre);
    }
    if (n <= 3) {
        etat.prefixe_initial = prefixe;
        rapport.texte("Label_multiple_initial",
                      QLatin1Char('[') + depuis_1252(prefixe) + QStringLiteral("]°"));
    } else {
        etat.prefixe_courant = prefixe;
        rapport.texte("Label_multiple_courant", depuis_1252(prefixe));
    }
    if (n == 2) contexte.heure_point2 = t;
    if (n == 12 && !demo_caracteres) {
        const double mesure = ecart_ms(contexte.heure_point2, t) / 1000.0 / 10.0;
        double attendu = 1;
        try {
            attendu = en_reel(programme.tableau.lit_cellule_active("intervalle", 0));
        } catch (const ErreurConversion&) {
            // The cell only feeds a warning: an unreadable one counts as 1 s.
        }
        if (attendu == 0) attendu = 1;
        double r = mesure / attendu;
        if (r == 0) r = 1;
        if (1 / r > r) r = 1 / r;
        if (r > 1.2) {
            rapport.visible("Label7", true);
            rapport.texte("Label7", QStringLiteral("? rapport des intervalles ") + format_g31(r));
        }
    }

    etat.nb_decimales = cherche_decimales(reglages.nb_decimale_1, etat.prefixe_initial, "0");
    const QString texte_affiche = regional::format_fixe(g1, 8, etat.nb_decimales.toInt());
    const int decimales_fichier = cherche_decimales(reglages.nb_decimale_1, "F", "4").toInt();

    // As regional::texte_date_heure writes it: the short date, one space, hh:mm:ss.
    const TContexte_decodage::TDate_ecrite& date = date_ecrite(contexte, t);
    char hms_t[9] = {' '};
    ajoute_hms(hms_t + 1, t.time().hour(), t.time().minute(), t.time().second());
    QByteArray heure_octets;
    heure_octets.reserve(date.octets.size() + 9);
    heure_octets += date.octets;
    heure_octets.append(hms_t, 9);
    const QString heure = date.texte + QLatin1String(hms_t, 9);

    if (demo_caracteres) {
        ph = 7.1 + QRandomGenerator::global()->bounded(100) / 100.0;
        ox = 80 + QRandomGenerator::global()->bounded(2000) / 100.0;
    }
    TMesure& point = stock.point(n);
    point.fixe_heure(heure_octets);
    point.grandeur1 = g1;
    point.grandeur2 = g2;
    point.ph = ph;
    point.ox = ox;
    rapport.point_ajoute(n, point);

    if (n == 1) {
        QByteArray entete = reglages.prefixe + "-heure-" + reglages.nom_multimetre +
                            "\tn\theure\theure-tra\xE7"
                            "age\t" +
                            m.grandeur[1] + '[' + etat.prefixe_initial + m.unite[1] + "]\t" +
                            m.grandeur[2];
        if (trois_sondes) entete += '\t' + reglages.texte_ph + '\t' + reglages.texte_ox + "_%";
        ajoute_ligne(programme, rapport, entete);
    }

    QByteArray colonne4;
    if (etat.est_point_tracage(n)) colonne4 = hms(ecart_ms(etat.heure_t0, t) / 1000);
    QByteArray fin_ligne;
    fin_ligne.reserve(64);
    fin_ligne += colonne4;
    fin_ligne += '\t';
    fin_ligne += regional::format_fixe(g1, 8, decimales_fichier).toLatin1();
    fin_ligne += '\t';
    fin_ligne += texte2;
    if (trois_sondes) {
        fin_ligne += '\t';
        fin_ligne += texte_ph;
        fin_ligne += '\t';
        fin_ligne += texte_ox;
    }
    // The record files carry their own decimal sign; date and instrument time keep theirs.
    if (reglages.signe_decimal_fichier == 0)
        fin_ligne.replace('.', ',');
    else
        fin_ligne.replace(',', '.');

    QByteArray ligne;
    ligne.reserve(heure_octets.size() + contexte.texte_heure.size() + fin_ligne.size() + 16);
    if (demo_caracteres) {
        ligne += date.octets;
        ligne += ' ';
        ligne += hms(n);
    } else
        ligne += heure_octets;
    ligne += '\t';
    ligne += QByteArray::number(n);
    ligne += '\t';
    ligne += contexte.texte_heure;
    ligne += '\t';
    ligne += fin_ligne;
    ajoute_ligne(programme, rapport, ligne);

    calcule_traceur(programme, rapport);
    suivi_axes(m, rapport, g1, g2);

    if (g1 > etat.max_lu1) {
        etat.max_lu1 = g1;
        rapport.texte("Label_y1_max_lu", regional::format_fixe(g1, 5, 1));
    }
    if (g1 < etat.min_lu1) {
        etat.min_lu1 = g1;
        rapport.texte("Label_y1_min_lu", regional::format_fixe(g1, 5, 1));
    }
    if (g2 > etat.max_lu2) {
        etat.max_lu2 = g2;
        rapport.texte("Label_y2_max_lu", regional::format_fixe(g2, 5, 1));
    }
    if (g2 < etat.min_lu2) {
        etat.min_lu2 = g2;
        rapport.texte("Label_y2_min_lu", regional::format_fixe(g2, 5, 1));
    }

    rapport.texte("Label_val_grand1",
                  supprime_espaces(texte_affiche + QLatin1Char(' ') +
                                   depuis_1252(etat.prefixe_initial + m.unite[1])));
    rapport.texte("Label_grandeur1", depuis_1252(m.grandeur[1]));
    rapport.texte("Label_val_grand2",
                  regional::format_fixe(g2, 5, 1) + QLatin1Char(' ') + depuis_1252(m.unite[2]));
    rapport.texte("Label_grandeur2", depuis_1252(m.grandeur[2]));
    rapport.texte("Label_heure", heure);
    rapport.couleur_texte("Label_tracage", m.couleur[1]);
    rapport.couleur_texte("Label15", m.couleur[1]);
    rapport.texte("Label_tracage",
                  colonne4.isEmpty() ? QStringLiteral("---") : QString::fromLatin1(colonne4));

    etat.dernier_trace = n;
    if (rafraichit) rapport.retrace();
    return true;
}
