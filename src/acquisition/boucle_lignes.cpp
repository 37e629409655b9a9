#include "acquisition/boucle_lignes.h"

#include "acquisition/decodeur.h"
#include "acquisition/lance_acquisition.h"
#include "util/cp1252.h"
#include "util/texte.h"

namespace {

// An empty marker matches nothing.
bool contient(const QString& texte, const QString& motif) {
    return !motif.isEmpty() && texte.contains(motif);
}

// Control characters, tabs and line ends go; the 'µ' of the instrument's code page (230)
// becomes the Windows 'µ' (181).
QString nettoie(const QString& ligne) {
    QString propre = garde_car_min_w(17, ligne);
    remplace_car_w(QChar(230), QChar(181), propre);
    return propre;
}

class TBoucle_lignes {
public:
    TBoucle_lignes(TProgramme& programme, TRapport& rapport)
        : programme(programme), etat(programme.etat), rapport(rapport) {
        nb_lignes_bloc =
            etat.bloc_en_cours.isEmpty() ? 0 : int(etat.bloc_en_cours.count(QLatin1Char(';'))) + 1;
    }

    void passe_csv(QString ligne);
    void passe_simple(QString ligne);

    TContexte_decodage contexte;
    TDecompte_go legende_go;

private:
    void ajoute_au_bloc(const QString& ligne);
    void decode(const QString& ligne);

    TProgramme& programme;
    TEtat_acquisition& etat;
    TRapport& rapport;
    int nb_lignes_bloc = 0;
};

void TBoucle_lignes::ajoute_au_bloc(const QString& ligne) {
    QString& bloc = etat.bloc_en_cours;
    if (bloc.isEmpty()) nb_lignes_bloc = 0;
    if (!bloc.isEmpty() && (nb_lignes_bloc >= bloc_max_lignes ||
                            bloc.size() + ligne.size() + 1 > bloc_max_caracteres)) {
        rapport.journal(QStringLiteral(" bloc coupé : %1 lignes (%2 caractères) sans fin de bloc, "
                                       "abandonnées")
                            .arg(nb_lignes_bloc)
                            .arg(bloc.size()));
        bloc.clear();
        nb_lignes_bloc = 0;
    }
    if (bloc.isEmpty())
        bloc = ligne;
    else
        bloc += QLatin1Char(';') + ligne;
    ++nb_lignes_bloc;
}

void TBoucle_lignes::decode(const QString& ligne) {
    try {
        decode_enregistrement(programme, rapport, TVariante_decodeur::lignes, ligne, contexte);
    } catch (const ErreurConversion& erreur) {
        // The decoder rejects bad numbers itself; anything that still escapes it costs one
        // line, never the acquisition.
        rapport.journal(QStringLiteral("ligne rejetée : ") + ligne);
        rapport.journal(QStringLiteral("  ") + erreur.message());
        ++etat.nb_lignes_rejetees;
        rapport.texte("Label_rejets",
                      QStringLiteral("lignes rejetées : %1").arg(etat.nb_lignes_rejetees));
    }
}

// An instrument that sends each record as several ';'-separated lines (WTW Multi 3430).
void TBoucle_lignes::passe_csv(QString ligne) {
    const TReglages& reglages = programme.reglages;
    const TMultimetre& m = programme.multimetre_actif;
    rapport.journal(QString());
    rapport.journal(ligne);
    ligne = nettoie(ligne);
    ++etat.nb_lectures;
    if (ligne.isEmpty() || etat.arret) return;

    const QString repere1 = depuis_1252(m.repere[1]);
    const QString repere2 = depuis_1252(m.repere[2]);
    const bool trois_sondes = reglages.ph_ox_3sondes;
    const QString marque_fin = trois_sondes ? texte_reglage(reglages.cond_ph_ox) : repere1;
    if (!contient(ligne, marque_fin)) {
        ajoute_au_bloc(ligne);
        return;
    }
    etat.bloc_en_cours += QLatin1Char(';') + ligne;
    ligne = etat.bloc_en_cours;
    rapport.journal(QStringLiteral("  ===>") + ligne);

    if (programme.stock.nb_mesures > 3) {
        QString dates;
        if (controle_dates_bloc(ligne, dates) != 3) {
            rapport.texte("Label21",
                          QStringLiteral("-> mesures à dates différentes (dt=1pas)  n =") +
                              QString::number(programme.stock.nb_mesures) + QStringLiteral("\n\n") +
                              dates + QStringLiteral("\n\n") +
                              QStringLiteral(" modifier dans les Paramètres la valeur [dernière "
                                             "grandeur affichée sur l'écran du WTW] \n") +
                              QStringLiteral(" actuellement   => ") + marque_fin +
                              QStringLiteral(" parmi (pH, Ox, Cond) ....  click pour fermer "
                                             "cette fenêtre"));
            rapport.visible("Panel_message", true);
        }
    }

    const QString texte_ph = texte_reglage(reglages.texte_ph);
    const QString texte_ox = texte_reglage(reglages.texte_ox);
    const int nb_champs = int(ligne.count(QLatin1Char(';'))) + 1;
    QStringList champs; // champs[k] = field k of the block, field 0 empty
    champs.reserve(nb_champs + 1);
    champs.append(QString());
    for (int k = 1; k <= nb_champs; ++k)
        champs.append(extrait_w(etat.bloc_en_cours, k, QLatin1Char(';')));
    auto champ = [&](int k) { return k >= 1 && k <= nb_champs ? champs.at(k) : QString(); };

    QString t_heure, t_1, t_2, t_ph, t_ox;
    for (int i = 1; i <= nb_champs; ++i) {
        const QString& f = champs.at(i);
        if (f.contains(QLatin1Char(':'))) t_heure = f;
        if (contient(f, repere1)) t_1 = repere1 + champ(i - 2) + QLatin1Char(' ') + champ(i - 1);
        if (contient(f, repere2)) t_2 = champ(i - 1) + QLatin1Char(' ') + repere2;
        if (trois_sondes) {
            if (contient(f, texte_ph)) t_ph = texte_ph + QLatin1Char(' ') + champ(i - 2);
            if (contient(f, texte_ox))
                t_ox = texte_ox + QLatin1Char(' ') + champ(i - 2) + QStringLiteral(" %");
        }
    }
    ++etat.nb_lectures;
    decode(t_heure);
    const QString groupe =
        t_1 + QLatin1Char(' ') + t_2 + QLatin1Char(' ') + t_ph + QLatin1Char(' ') + t_ox;
    rapport.journal(QStringLiteral("      =>") + groupe);
    rapport.journal(QStringLiteral("________________"));
    decode(groupe);
    etat.bloc_en_cours.clear();
    nb_lignes_bloc = 0;
}

// An instrument that sends a record as plain lines, one of which carries the time.
void TBoucle_lignes::passe_simple(QString ligne) {
    if (ligne.isEmpty() || etat.arret) return;
    rapport.journal(ligne);
    if (!contient_hms_w(ligne)) {
        ajoute_au_bloc(ligne);
        return;
    }
    // The line with the time closes the block and goes first.
    QString& bloc = etat.bloc_en_cours;
    bloc = ligne + QLatin1Char(';') + bloc;
    remplace_car_w(QChar(230), QChar(181), bloc);

    const TReglages& reglages = programme.reglages;
    const QString repere1 = depuis_1252(programme.multimetre_actif.repere[1]);
    const bool trois_sondes = reglages.ph_ox_3sondes;
    const QString texte_ph = trois_sondes ? texte_reglage(reglages.texte_ph) : QString();
    const QString texte_ox = trois_sondes ? texte_reglage(reglages.texte_ox) : QString();
    QString t_heure, t_1, t_ph, t_ox;
    const int nb_champs = int(bloc.count(QLatin1Char(';'))) + 1;
    for (int i = 1; i <= nb_champs; ++i) {
        QString f = extrait_w(bloc, i, QLatin1Char(';'));
        supprime_car_w(QLatin1Char('$'), f);
        if (f.count(QLatin1Char(':')) == 2) t_heure = f;
        if (contient(f, repere1)) t_1 = extrait_w(f, 1, QLatin1Char(','));
        if (trois_sondes) {
            if (contient(f, texte_ph))
                t_ph = texte_ph + QLatin1Char(' ') + extrait_w(f, 2, QLatin1Char(' '));
            if (contient(f, texte_ox))
                t_ox = texte_ox + QLatin1Char(' ') + extrait_w(f, 2, QLatin1Char(' ')) +
                       QLatin1Char(' ') + extrait_w(f, 3, QLatin1Char(' '));
        }
    }
    bloc.clear();
    nb_lignes_bloc = 0;
    ++etat.nb_lectures;
    decode(t_heure);
    decode(t_1 + QLatin1Char(' ') + t_ph + QLatin1Char(' ') + t_ox);
}

} // namespace

void boucle_lignes(TProgramme& programme, TRapport& rapport, TSource_lignes& source) {
    TEtat_acquisition& etat = programme.etat;
    etat.reprise = false;
    etat.arret = false;
    programme.tableau.actualise_multimetre(programme.multimetre_actif);
    etat.nb_lectures = 0;

    TBoucle_lignes boucle(programme, rapport);
    do {
        rapport.traite_evenements();
        decompte_bouton_go(programme, rapport, boucle.legende_go);
        QString ligne;
        if (!source.ligne_suivante(ligne)) {
            const QString raison = source.raison_fin();
            if (!raison.isEmpty()) {
                rapport.journal(QStringLiteral("  ") + raison);
                rapport.message(raison);
            }
            break;
        }
        ligne = nettoie(ligne);
        if (ligne.contains(QLatin1Char(';')))
            boucle.passe_csv(ligne);
        else
            boucle.passe_simple(ligne);
        rapport.texte("Form2.Label_nlecture", QString::number(etat.nb_lectures));
    } while (!etat.arret);
}

int controle_dates_bloc(const QString& bloc, QString& dates) {
    QString reste = bloc;
    QString d[3];
    for (QString& date : d) {
        const int c = position_hms_w(reste);
        if (c <= 0) break;
        // A stamp such as 26.09.2009 04:19:39 ends with the seconds, two characters after c.
        date = reste.mid(qMax(0, c - 17), 19);
        reste = reste.mid(c + 2);
    }
    int r = 0;
    if (!d[0].isEmpty() && !d[1].isEmpty() && !d[2].isEmpty())
        r = d[0] == d[1] && d[1] == d[2] ? 3 : d[0] == d[1] ? 2 : d[1] == d[2] ? 1 : 0;
    dates = d[0] + QStringLiteral(" \n") + d[1] + QStringLiteral(" \n") + d[2];
    if (d[0] == d[1] && d[2].isEmpty()) r = 3;
    return r;
}

QString nombre_groupe(std::int32_t n) {
    QString chiffres = QString::number(n);
    const bool negatif = n < 0;
    if (negatif) chiffres.remove(0, 1);
    for (qsizetype i = chiffres.size() - 3; i > 0; i -= 3)
        chiffres.insert(i, QLatin1Char(' '));
    return negatif ? QLatin1Char('-') + chiffres : chiffres;
}

void rejoue_lignes(TProgramme& programme, TRapport& rapport, QStringList lignes) {
    TEtat_acquisition& etat = programme.etat;
    etat.relecture = true;
    etat.ligne_relecture = 4;
    lignes.append(QStringLiteral("fin"));
    // The running values and the decoded lines stay hidden while the log is replayed.
    static const char* const pendant_relecture[] = {"Memo2", "Label_val_grand1", "Label_val_grand2",
                                                    "Label_zero", "Label_hauteur"};
    programme.stock.nb_mesures = 0;
    programme.lignes.efface();
    rapport.lignes_effacees();
    etat.premier_trace = 2;
    etat.dernier_trace = 1;
    rapport.retrace();
    for (const char* objet : pendant_relecture)
        rapport.visible(objet, false);

    TSource_relecture source(lignes, etat);
    boucle_lignes(programme, rapport, source);

    for (const char* objet : pendant_relecture)
        rapport.visible(objet, true);
    const QString n = nombre_groupe(programme.stock.nb_mesures);
    rapport.texte("Label_n", QStringLiteral("n = ") + n);
    rapport.texte("Form2.Label_n", n);
    etat.relecture = false;
    rapport.retrace();
    // The replayed acquisition can be saved like a live one.
    rapport.actif("Button_stop", true);
}
