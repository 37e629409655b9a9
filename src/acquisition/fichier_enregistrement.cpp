#include "acquisition/fichier_enregistrement.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cmath>

#include "util/cp1252.h"
#include "util/texte.h"

QString prefixe_fichier(const TReglages& reglages, const QDateTime& maintenant) {
    QString prefixe = reglages.mode_demo ? QStringLiteral("demo")
                                         : depuis_1252(supprime_espaces_fin(reglages.prefixe));
    if (reglages.date_heure_nom) {
        // No character of this pattern is forbidden in file names.
        const QString date = maintenant.toString(QStringLiteral("yyyy-MM-dd hh'H'mm''ss"));
        prefixe = prefixe.isEmpty() ? date : date + QLatin1Char(' ') + prefixe;
    }
    return prefixe;
}

qint64 ecart_lu(const TExtremes_affiches& extremes) {
    if (!est_nombre(extremes.max_lu) || !est_nombre(extremes.min_lu)) return 0;
    try {
        // nearbyint rounds halves to the even neighbour.
        const double ecart = std::nearbyint(en_reel(extremes.max_lu) - en_reel(extremes.min_lu));
        if (!std::isfinite(ecart) || std::fabs(ecart) > 1e18) return 0;
        return qint64(ecart);
    } catch (const ErreurConversion&) {
        return 0;
    }
}

QString nom_fichier_enregistrement(const QString& prefixe, std::int32_t nb_mesures, qint64 ecart) {
    return prefixe + QLatin1Char(' ') + QString::number(nb_mesures) + QStringLiteral("_enreg_") +
           QString::number(ecart) + QStringLiteral("µS.txt");
}

QString dossier_enregistrement(const QString& repertoire_travail, bool sauvegarde_auto) {
    const QString dossier = QDir::toNativeSeparators(repertoire_travail);
    if (!sauvegarde_auto) return dossier;
    return avec_antislash(dossier) + QStringLiteral("sauvegarde_auto");
}

QString texte_lignes(const TLignes_decodees& lignes) {
    QString texte;
    for (const QByteArray& ligne : lignes.principales) {
        texte += depuis_1252(ligne);
        texte += QLatin1Char('\n');
    }
    return texte;
}

namespace {

bool ecrit_fichier_lignes(const QString& chemin, const QList<QByteArray>& lignes) {
    // Written beside the old file and renamed over it: a full disk or a pulled stick never
    // leaves a truncated record file in place of a good one.
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly)) return false;
    for (const QByteArray& ligne : lignes) {
        fichier.write(ligne);
        fichier.write("\r\n", 2);
    }
    return fichier.commit();
}

} // namespace

TResultat_sauvegarde sauvegarde_lignes(TProgramme& programme, TRapport& rapport,
                                       const TExtremes_affiches& extremes) {
    TResultat_sauvegarde resultat;
    TEtat_enregistrement& enregistrement = programme.enregistrement;
    if (programme.lignes.principales.size() - 1 == enregistrement.nb_enreg_sauves) return resultat;

    const QDateTime maintenant = programme.horloge();
    const QString prefixe = prefixe_fichier(programme.reglages, maintenant);
    if (prefixe.isEmpty()) return resultat;
    const int nb_lignes_sauvees = int(programme.lignes.parametres.size() - 1);

    const bool periodique = enregistrement.sauvegarde_auto_en_cours;
    QString dossier = dossier_enregistrement(programme.reglages.repertoire_travail, periodique);
    // One level only: the working folder itself must exist.
    if (!dossier.isEmpty() && !QDir(dossier).exists() && !QDir().mkdir(dossier)) {
        resultat.erreur = QStringLiteral("Impossible de créer <") + dossier + QLatin1Char('>');
        return resultat;
    }

    const QString nom =
        nom_fichier_enregistrement(prefixe, programme.stock.nb_mesures, ecart_lu(extremes));
    const QString chemin = avec_antislash(dossier) + nom;
    resultat.nom_fichier = nom;
    rapport.texte("Label22", nom);

    if (!ecrit_fichier_lignes(chemin, programme.lignes.principales)) {
        resultat.erreur = QStringLiteral("Impossible de créer le fichier %1").arg(chemin);
        return resultat;
    }
    // Counted only now that the file is whole: a failed save is tried again by the next one.
    enregistrement.nb_enreg_sauves = nb_lignes_sauvees;

    rapport.texte("Label11", QStringLiteral(" sauvegardé à ") +
                                 maintenant.toString(QStringLiteral("hh'H'mm")));
    resultat.chemin = chemin;
    resultat.dossier = dossier;
    resultat.texte_presse_papier = texte_lignes(programme.lignes);

    if (periodique) {
        // Only the latest periodic file of the acquisition stays.
        const QString ancien = enregistrement.dernier_fichier_auto;
        if (!ancien.isEmpty() && ancien != chemin && QFile::exists(ancien)) QFile::remove(ancien);
        enregistrement.dernier_fichier_auto = chemin;
    } else {
        resultat.ouvrir_editeur = true;
    }
    return resultat;
}

TResultat_sauvegarde sauvegarde_periodique(TProgramme& programme, TRapport& rapport,
                                           const TExtremes_affiches& extremes) {
    programme.enregistrement.sauvegarde_auto_en_cours = true;
    TResultat_sauvegarde resultat = sauvegarde_lignes(programme, rapport, extremes);
    programme.enregistrement.sauvegarde_auto_en_cours = false;
    return resultat;
}

QString texte_compte_rendu_sauvegarde(const TProgramme& programme, const QString& chemin) {
    return QString::number(programme.lignes.parametres.size() - 1) +
           QStringLiteral(" enregistrements effectués dans \n") + chemin +
           QStringLiteral("\n  et dans le presse_papier");
}
