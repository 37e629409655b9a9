#include "acquisition/boucle_caracteres.h"

#include "acquisition/decodeur.h"
#include "acquisition/demo.h"
#include "acquisition/lance_acquisition.h"
#include "util/cp1252.h"
#include "util/texte.h"

namespace {

bool contient(const QString& texte, const QString& motif) {
    return !motif.isEmpty() && texte.contains(motif);
}

void decode(TProgramme& programme, TRapport& rapport, const QString& ligne,
            TContexte_decodage& contexte) {
    try {
        decode_enregistrement(programme, rapport, TVariante_decodeur::caracteres, ligne, contexte);
    } catch (const ErreurConversion& erreur) {
        rapport.journal(QStringLiteral("ligne rejetée : ") + ligne);
        rapport.journal(QStringLiteral("  ") + erreur.message());
        ++programme.etat.nb_lignes_rejetees;
        rapport.texte(
            "Label_rejets",
            QStringLiteral("lignes rejetées : %1").arg(programme.etat.nb_lignes_rejetees));
    }
}

} // namespace

void boucle_caracteres(TProgramme& programme, TRapport& rapport, TSource_caracteres& source) {
    TEtat_acquisition& etat = programme.etat;
    etat.reprise = false;
    etat.arret = false;
    programme.tableau.actualise_multimetre(programme.multimetre_actif);
    etat.nb_lectures = 0;
    const bool demo = programme.reglages.mode_demo;
    if (demo) applique_demo(programme, rapport);

    TContexte_decodage contexte;
    TDecompte_go legende_go;
    QString champ_heure;
    do {
        rapport.traite_evenements();
        attend(programme, rapport, 10);

        QString texte_recu;
        if (demo) {
            ++etat.compteur_demo;
            texte_recu = texte_demo(programme);
            if (!programme.reglages.demo_rapide) attend(programme, rapport, 960);
        } else {
            int nombre = 0;
            if (!source.lit(texte_recu, nombre)) {
                const QString raison = source.raison_fin();
                if (!raison.isEmpty()) {
                    rapport.journal(QStringLiteral("  ") + raison);
                    rapport.message(raison);
                }
                break;
            }
            if (nombre > 0) {
                ++etat.nb_lectures;
                rapport.journal(QString::number(nombre) + QStringLiteral(" caractères "));
                rapport.journal(texte_recu);
                remplace_car_w(QChar(13), QLatin1Char('|'), texte_recu);
                remplace_car_w(QChar(10), QLatin1Char(' '), texte_recu);
                remplace_car_w(QChar(230), QChar(181), texte_recu);
                texte_recu = garde_car_min_w(30, texte_recu);
                rapport.journal(texte_recu);
            }
        }
        decompte_bouton_go(programme, rapport, legende_go);

        if (texte_recu.contains(QLatin1Char(';'))) {
            rapport.journal(QStringLiteral(
                "CSV détecté, changer l'option vers <par chaîne de caractères et CSV>"));
            rapport.message(QStringLiteral("CSV détecté, changer l'option vers <par chaîne de "
                                           "caractères et CSV> ET RTS activé!"));
            break;
        }

        // Fields 1 to m; the text after the last '|' is not a complete line yet.
        const TMultimetre& m = programme.multimetre_actif;
        const QString repere1 = depuis_1252(m.repere[1]);
        const QString exclusion = depuis_1252(m.exclusion);
        const QString texte_ph = texte_reglage(programme.reglages.texte_ph);
        const QString texte_ox = texte_reglage(programme.reglages.texte_ox);
        const int nb_champs = int(texte_recu.count(QLatin1Char('|')));
        bool heure_trouvee = false;
        QString t_1, t_ph, t_ox;
        for (int i = 1; i <= nb_champs; ++i) {
            const QString champ = extrait_w(texte_recu, i, QLatin1Char('|'));
            if (!heure_trouvee && compte_car_w(m.car_hms, champ) == m.nb_hms[1]) {
                champ_heure = champ;
                heure_trouvee = true;
            }
            if (contient(champ, repere1) && !contient(champ, exclusion))
                t_1 = extrait_w(champ, 1, QLatin1Char(','));
            if (contient(champ, texte_ph))
                t_ph = texte_ph + QLatin1Char(' ') + extrait_w(champ, 2, QLatin1Char(' '));
            if (contient(champ, texte_ox))
                t_ox = texte_ox + QLatin1Char(' ') + extrait_w(champ, 2, QLatin1Char(' ')) +
                       QStringLiteral(" %");
        }
        const QString groupe = t_1 + QLatin1Char(' ') + t_ph + QLatin1Char(' ') + t_ox;
        if (!champ_heure.isEmpty() && !etat.arret) {
            rapport.journal(QStringLiteral("_heure =<") + champ_heure + QLatin1Char('>'));
            rapport.journal(QStringLiteral("_grand1=<") + groupe + QLatin1Char('>'));
            contexte.texte_heure = vers_1252(champ_heure);
            decode(programme, rapport, groupe, contexte);
            champ_heure.clear();
        }
        rapport.texte("Form2.Label_nlecture", QString::number(etat.nb_lectures));
    } while (!etat.arret);
}
