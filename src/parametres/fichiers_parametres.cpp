#include "parametres/fichiers_parametres.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QSaveFile>
#include <algorithm>

#include "acquisition/programme.h"
#include "parametres/instrument_actif.h"
#include "util/cp1252.h"

namespace {

constexpr int nb_lignes_parametres = 30;
// A table file is a few kilobytes; a bigger file is not read past this.
constexpr qint64 taille_max_tableau = 16 * 1024 * 1024;
constexpr qint64 taille_max_parametres = 1024 * 1024;

QString natif(const QString& chemin) {
    return QDir::toNativeSeparators(chemin);
}

struct TContenu {
    bool existe = false;
    bool lisible = false;
    bool coupe = false;       // the file was longer than the size read
    QList<QByteArray> lignes; // raw bytes, line ends removed
};

// The lines of a text file, ended by CR LF, LF or a lone CR.
TContenu lit_lignes(const QString& chemin, qint64 taille_max) {
    TContenu contenu;
    QFileInfo info(chemin);
    contenu.existe = info.exists() && !info.isDir();
    if (!contenu.existe) return contenu;
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return contenu;
    // By pieces: a buffer of the largest size allowed would be allocated for every small file.
    QByteArray octets;
    while (octets.size() < taille_max) {
        const QByteArray morceau = f.read(std::min<qint64>(64 * 1024, taille_max - octets.size()));
        if (morceau.isEmpty()) break;
        octets += morceau;
    }
    if (f.error() != QFileDevice::NoError) return contenu;
    contenu.lisible = true;
    contenu.coupe = !f.atEnd();
    qsizetype debut = 0;
    const qsizetype n = octets.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = octets[i];
        if (c != '\r' && c != '\n') continue;
        contenu.lignes.append(octets.mid(debut, i - debut));
        if (c == '\r' && i + 1 < n && octets[i + 1] == '\n') ++i;
        debut = i + 1;
    }
    if (debut < n) contenu.lignes.append(octets.mid(debut));
    return contenu;
}

// A line as the program holds it: Windows-1252, also when an editor saved it as UTF-8.
QByteArray en_1252(const QByteArray& brute) {
    return vers_1252(depuis_fichier_texte(brute));
}

// A setting never spans two lines of its file.
QByteArray sur_une_ligne(QByteArray valeur) {
    valeur.replace('\r', ' ');
    valeur.replace('\n', ' ');
    return valeur;
}

bool ecrit_lignes(const QString& chemin, const QList<QByteArray>& lignes) {
    QDir().mkpath(QFileInfo(chemin).absolutePath());
    QSaveFile f(chemin);
    if (!f.open(QIODevice::WriteOnly)) return false;
    for (const QByteArray& ligne : lignes) {
        f.write(ligne);
        f.write("\r\n");
    }
    return f.commit();
}

// The 30 lines of the settings file as they stand (missing lines "").
QList<QByteArray> lignes_parametres(const QString& chemin) {
    QList<QByteArray> lignes =
        chemin.isEmpty() ? QList<QByteArray>() : lit_lignes(chemin, taille_max_parametres).lignes;
    lignes.resize(nb_lignes_parametres);
    return lignes;
}

// A whole number as written by a person: optional spaces, optional sign, digits, nothing else.
bool lit_entier_strict(const QByteArray& texte, long long& valeur) {
    qsizetype i = 0;
    while (i < texte.size() && texte[i] == ' ')
        ++i;
    const QByteArray reste = texte.mid(i);
    if (reste.isEmpty()) return false;
    qsizetype j = (reste[0] == '+' || reste[0] == '-') ? 1 : 0;
    if (j >= reste.size()) return false;
    for (qsizetype k = j; k < reste.size(); ++k)
        if (reste[k] < '0' || reste[k] > '9') return false;
    bool ok = false;
    valeur = reste.toLongLong(&ok);
    return ok;
}

// A line quoted in a message: short, control characters shown as '?'.
QString apercu(const QByteArray& ligne) {
    QByteArray court = ligne.left(40);
    for (char& c : court)
        if (static_cast<unsigned char>(c) < 32) c = '?';
    return depuis_1252(court) + (ligne.size() > 40 ? QStringLiteral("...") : QString());
}

// Row text of a row, commas made spaces and trimmed: what tells a row that holds nothing.
bool quasi_vide(QByteArray texte) {
    remplace_car(',', ' ', texte);
    return supprime_espaces(texte).size() < 3;
}

void previens(const TSignale& signale, const QString& message) {
    if (signale) signale(message);
}

QString nom_programme() {
    const QString nom = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return nom.isEmpty() ? QStringLiteral("probelog") : nom;
}

QString dossier_programme() {
    const QString dossier = QCoreApplication::applicationDirPath();
    return dossier.isEmpty() ? QDir::currentPath() : dossier;
}

QString message_non_enregistre(const QString& chemin) {
    return QStringLiteral("le fichier <") + natif(chemin) +
           QStringLiteral("> n'a pas pu être enregistré, il garde son contenu précédent");
}

} // namespace

// ---- where the files are ----

QString chemin_fichier_parametres(const TProgramme& programme) {
    if (programme.reglages.fichier_parametres.isEmpty()) return {};
    const QString dossier =
        programme.dossier_reglages.isEmpty() ? dossier_programme() : programme.dossier_reglages;
    return QDir(dossier).filePath(programme.reglages.fichier_parametres);
}

QString chemin_fichier_tableau(const QString& dossier) {
    return QDir(dossier.isEmpty() ? dossier_programme() : dossier)
        .filePath(nom_programme() + QStringLiteral(".ini"));
}

QString chemin_fichier_tableau(const TProgramme& programme) {
    return chemin_fichier_tableau(programme.dossier_reglages);
}

QString chemin_fichier_exemple() {
    return QDir(dossier_programme()).filePath(nom_programme() + QStringLiteral(".ini0"));
}

// ---- settings file ----

TCouleur couleur_bouton_systeme() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        const QColor c = QGuiApplication::palette().color(QPalette::Button);
        return rgb(c.red(), c.green(), c.blue());
    }
    return rgb(240, 240, 240);
}

TCouleur lit_couleur_prm(const QByteArray& ligne, TCouleur defaut) {
    if (compte_car(',', ligne) != 2) return defaut;
    const int r = extrait_entier(ligne, 1, ',', 0);
    const int v = extrait_entier(ligne, 2, ',', 0);
    const int b = extrait_entier(ligne, 3, ',', 0);
    if (static_cast<long long>(r) + v + b == 0) return rgb(222, 222, 222);
    return rgb(r, v, b);
}

TCouleur lit_couleur_prm(const TProgramme& programme, int numero, TCouleur defaut) {
    if (numero < 1 || numero > nb_lignes_parametres) return defaut;
    const QList<QByteArray> lignes = lignes_parametres(chemin_fichier_parametres(programme));
    return lit_couleur_prm(en_1252(lignes[numero - 1]), defaut);
}

QByteArray ecrit_couleur_prm(TCouleur couleur) {
    return QByteArray::number(rouge(couleur)) + ',' + QByteArray::number(vert(couleur)) + ',' +
           QByteArray::number(bleu(couleur));
}

bool ecrit_couleur_prm(const TProgramme& programme, TCouleur couleur, int numero) {
    const QString chemin = chemin_fichier_parametres(programme);
    if (chemin.isEmpty() || numero < 1 || numero > nb_lignes_parametres) return false;
    QList<QByteArray> lignes = lignes_parametres(chemin);
    lignes[numero - 1] = ecrit_couleur_prm(couleur);
    return ecrit_lignes(chemin, lignes);
}

void charge_parametres(TProgramme& programme, const TSignale& signale) {
    TReglages& r = programme.reglages;
    r.fichier_parametres = QStringLiteral("Probelog.prm");
    // Read once; a line past the end of a short file is "" and takes its own default.
    const QList<QByteArray> brutes = lignes_parametres(chemin_fichier_parametres(programme));
    const auto ligne = [&](int n) { return en_1252(brutes[n - 1]); };
    const auto ligne_defaut = [&](int n, const QByteArray& defaut) {
        const QByteArray valeur = ligne(n);
        return valeur.isEmpty() ? defaut : valeur;
    };
    const auto entier = [&](int n, int defaut) {
        try {
            return en_entier(ligne(n));
        } catch (const ErreurConversion& e) {
            previens(signale, e.message());
            return defaut;
        }
    };

    r.repertoire_travail = depuis_fichier_texte(brutes[0]);
    r.mode_demo = texte_en_bool(ligne(2));
    r.souris = std::clamp(entier(3, 0), 0, 2);
    r.couleur_fenetre = lit_couleur_prm(ligne(4), couleur_bouton_systeme());
    r.couleur_fond = lit_couleur_prm(ligne(5), rgb(255, 255, 255));
    r.demo_rapide = texte_en_bool(ligne(6));
    r.signe_decimal_fichier = std::clamp(entier(7, 0), 0, 1);
    r.sauve_auto = texte_en_bool(ligne(8));
    // An empty or unreadable number of minutes would stop the loading half way: 5 instead.
    long long minutes = 0;
    r.sos_mn = ligne(9);
    if (!lit_entier_strict(r.sos_mn, minutes) || minutes <= 0 || minutes > 1000000) r.sos_mn = "5";
    r.timeouts = ligne(10);
    r.lecture_csv = entier(11, 0);
    r.prefixe = ligne_defaut(12, "vorur-1");
    r.fenetre_maximale = texte_en_bool(ligne_defaut(13, "false"));
    r.dtr = texte_en_bool(ligne(14));
    r.rts = texte_en_bool(ligne(15));
    r.lecture_sans_traitement = texte_en_bool(ligne(16));
    r.nom_blocnote = ligne(17);
    // Line 18 holds the contrast mode of the last save; every run starts in the normal mode.
    r.mode_contraste = 0;
    r.save_sans_confirmation = texte_en_bool(ligne_defaut(19, "true"));
    r.nb_decimale_1 = ligne_defaut(20, "4");
    r.start_inject = ligne_defaut(21, "sel vers\xE9 !");
    r.facteur = ligne_defaut(22, "1.0001");
    r.ph_ox_3sondes = texte_en_bool(ligne_defaut(23, "false"));
    r.texte_ph = ligne_defaut(24, "pH");
    r.texte_ox = ligne_defaut(25, "Ox");
    r.cond_ph_ox = ligne_defaut(26, "Cond");

    // What the area factor field does when it changes.
    try {
        QByteArray facteur = r.facteur;
        garde_nombre(facteur);
        programme.etat.facteur_aire = en_reel(facteur);
    } catch (const ErreurConversion& e) {
        previens(signale, e.message());
    }
}

bool enregistre_parametres(const TProgramme& programme) {
    const QString chemin = chemin_fichier_parametres(programme);
    if (chemin.isEmpty()) return false;
    const TReglages& r = programme.reglages;
    QList<QByteArray> lignes = lignes_parametres(chemin);
    const auto fixe = [&](int n, const QByteArray& valeur) {
        lignes[n - 1] = sur_une_ligne(valeur);
    };

    // A folder name that the code page cannot hold is kept in UTF-8, which the reading accepts.
    QByteArray dossier = vers_1252(r.repertoire_travail);
    if (depuis_1252(dossier) != r.repertoire_travail) dossier = r.repertoire_travail.toUtf8();
    fixe(1, dossier);
    fixe(2, bool_en_texte(r.mode_demo));
    fixe(3, QByteArray::number(r.souris));
    // Contrast colours are never saved: lines 4 and 5 keep the normal ones.
    if (r.mode_contraste == 0) {
        fixe(4, ecrit_couleur_prm(r.couleur_fenetre));
        fixe(5, ecrit_couleur_prm(r.couleur_fond));
    }
    fixe(6, bool_en_texte(r.demo_rapide));
    fixe(7, QByteArray::number(r.signe_decimal_fichier));
    fixe(8, bool_en_texte(r.sauve_auto));
    fixe(9, r.sos_mn);
    fixe(10, r.timeouts);
    fixe(11, QByteArray::number(r.lecture_csv));
    fixe(12, r.prefixe);
    fixe(13, bool_en_texte(r.fenetre_maximale));
    fixe(14, bool_en_texte(r.dtr));
    fixe(15, bool_en_texte(r.rts));
    fixe(16, bool_en_texte(r.lecture_sans_traitement));
    fixe(17, r.nom_blocnote);
    fixe(18, QByteArray::number(r.mode_contraste));
    fixe(19, bool_en_texte(r.save_sans_confirmation));
    fixe(20, r.nb_decimale_1);
    fixe(21, r.start_inject);
    fixe(22, r.facteur);
    fixe(23, bool_en_texte(r.ph_ox_3sondes));
    fixe(24, r.texte_ph);
    fixe(25, r.texte_ox);
    fixe(26, r.cond_ph_ox);
    return ecrit_lignes(chemin, lignes);
}

// ---- table file ----

TEnregistrement enregistre_tableau(const TTableau_multimetres& tableau, const QString& fichier,
                                   const TDemande& demande) {
    if (quasi_vide(tableau.texte_ligne(1))) {
        const QString question = QStringLiteral(
            "la ligne 1 du tableau est quasi vide, risque d'écraser des valeurs antérieures \n"
            "         continuer ?");
        if (!demande || !demande(question)) return TEnregistrement::refuse;
    }
    QList<QByteArray> lignes;
    lignes.append(QByteArray::number(TTableau_multimetres::nb_colonnes));
    lignes.append(QByteArray::number(tableau.nb_lignes()));
    for (int r = 0; r < tableau.nb_lignes(); ++r)
        lignes.append(tableau.texte_ligne(r));
    return ecrit_lignes(fichier, lignes) ? TEnregistrement::enregistre : TEnregistrement::echec;
}

TChargement charge_tableau(TTableau_multimetres& tableau, const QString& fichier,
                           const TDemande& demande, const TSignale& signale) {
    if (demande &&
        !demande(QStringLiteral(" écraser les PARAMETRES actuels avec ceux enregistrés ?")))
        return TChargement::refuse;

    const auto met_exemple = [&] {
        tableau.redimensionne(TTableau_multimetres::nb_lignes_defaut);
        tableau.remplit_exemple();
    };

    const TContenu contenu = lit_lignes(fichier, taille_max_tableau);
    if (!contenu.existe) {
        previens(signale, QStringLiteral("fichier de paramètrage <") + natif(fichier) +
                              QStringLiteral(">  non trouvé ..."));
        tableau.remplit_exemple();
        if (enregistre_tableau(tableau, fichier, {}) != TEnregistrement::enregistre)
            previens(signale, message_non_enregistre(fichier));
        return TChargement::absent;
    }
    if (!contenu.lisible) {
        previens(signale, QStringLiteral("le fichier de paramètrage <") + natif(fichier) +
                              QStringLiteral("> ne peut pas être lu : le tableau d'exemple est "
                                             "utilisé, le fichier n'est pas modifié"));
        met_exemple();
        return TChargement::illisible;
    }
    if (contenu.coupe)
        previens(signale, QStringLiteral("le fichier de paramètrage <") + natif(fichier) +
                              QStringLiteral("> est trop grand : seuls ses %1 premiers Mo sont lus")
                                  .arg(taille_max_tableau / (1024 * 1024)));

    const auto ligne = [&](qsizetype i) {
        return i < contenu.lignes.size() ? en_1252(contenu.lignes[i]) : QByteArray();
    };

    // Line 1: the column count. A file that does not start with a number is no table file: it
    // is kept aside, since the next save replaces it.
    long long nb_colonnes_fichier = 0;
    const QByteArray ligne1 = ligne(0).trimmed();
    if (!lit_entier_strict(ligne1, nb_colonnes_fichier)) {
        const QString copie = fichier + QStringLiteral(".illisible");
        QFile::remove(copie);
        const bool garde = QFileInfo(fichier).size() > 0 && QFile::copy(fichier, copie);
        previens(signale,
                 QStringLiteral("le fichier de paramètrage <") + natif(fichier) +
                     QStringLiteral("> n'est pas un tableau de multimètres (ligne 1 : « ") +
                     apercu(ligne(0)) +
                     QStringLiteral(" » au lieu du nombre de colonnes) : le tableau d'exemple est "
                                    "utilisé") +
                     (garde ? QStringLiteral(", le fichier est gardé dans <") + natif(copie) +
                                  QStringLiteral(">")
                            : QString()));
        met_exemple();
        return TChargement::illisible;
    }
    if (nb_colonnes_fichier != TTableau_multimetres::nb_colonnes)
        previens(signale, QStringLiteral("le nombre de colonnes a changé de ") +
                              QString::number(nb_colonnes_fichier) + QStringLiteral("  à  ") +
                              QString::number(TTableau_multimetres::nb_colonnes) +
                              QStringLiteral(" il faudra réenregistrer"));

    // Line 2: the row count. One that cannot be right gives way to the rows the file holds,
    // within the titles and one instrument at least, nb_lignes_tableau_max at most.
    const qsizetype lignes_presentes = std::max<qsizetype>(0, contenu.lignes.size() - 2);
    long long nb_lignes = 0;
    const QByteArray ligne2 = ligne(1).trimmed();
    if (!lit_entier_strict(ligne2, nb_lignes) || nb_lignes < 3 ||
        nb_lignes > nb_lignes_tableau_max) {
        nb_lignes = std::clamp<long long>(lignes_presentes, 3, nb_lignes_tableau_max);
        previens(signale, QStringLiteral("le nombre de lignes du tableau (« ") + apercu(ligne(1)) +
                              QStringLiteral(" ») est incorrect dans <") + natif(fichier) +
                              QStringLiteral("> : %1 lignes sont chargées").arg(nb_lignes));
    } else if (lignes_presentes < nb_lignes) {
        previens(signale, QStringLiteral("le fichier de paramètrage <") + natif(fichier) +
                              QStringLiteral("> s'arrête après %1 lignes du tableau sur %2 : les "
                                             "lignes manquantes reçoivent l'exemple")
                                  .arg(lignes_presentes)
                                  .arg(nb_lignes));
    }

    tableau.redimensionne(int(nb_lignes));
    // Row 0 of the file is skipped: the titles are the program's own.
    for (int i = 1; i < tableau.nb_lignes(); ++i) {
        QByteArray texte = ligne(qsizetype(i) + 2);
        if (quasi_vide(texte)) texte = TTableau_multimetres::texte_exemple(i);
        tableau.lit_texte_ligne(i, texte);
    }
    return TChargement::charge;
}

// ---- the same with the whole program ----

TChargement charge_tableau(TProgramme& programme, const QString& fichier, const TDemande& demande,
                           const TSignale& signale) {
    const TChargement resultat = charge_tableau(programme.tableau, fichier, demande, signale);
    if (resultat == TChargement::absent) {
        if (QFileInfo::exists(fichier)) programme.tableau_modifie = false;
        enregistre_parametres(programme);
    }
    return resultat;
}

TEnregistrement enregistre_tableau(TProgramme& programme, const QString& fichier,
                                   const TDemande& demande, const TSignale& signale) {
    const TEnregistrement resultat = enregistre_tableau(programme.tableau, fichier, demande);
    if (resultat == TEnregistrement::enregistre) programme.tableau_modifie = false;
    if (resultat == TEnregistrement::echec) previens(signale, message_non_enregistre(fichier));
    return resultat;
}

namespace {
// A bad number in the table is the operator's to mend; it must not stop what follows.
void actualise_en_signalant(TProgramme& programme, const TSignale& signale, TRapport* rapport) {
    try {
        actualise_multimetre(programme, rapport);
    } catch (const ErreurConversion& e) {
        previens(signale, e.message());
    }
}
} // namespace

void enregistre_tout(TProgramme& programme, const TDemande& demande, const TSignale& signale,
                     TRapport* rapport) {
    enregistre_tableau(programme, chemin_fichier_tableau(programme), demande, signale);
    actualise_en_signalant(programme, signale, rapport);
    if (!enregistre_parametres(programme) && !chemin_fichier_parametres(programme).isEmpty())
        previens(signale, message_non_enregistre(chemin_fichier_parametres(programme)));
}

void enregistre_param(TProgramme& programme, const TDemande& demande, const TSignale& signale,
                      TRapport* rapport) {
    if (demande && !demande(QStringLiteral(" enregistrer les PARAMETRES  ?"))) return;
    enregistre_tout(programme, demande, signale, rapport);
}

void charge_param(TProgramme& programme, const TDemande& demande, const TSignale& signale,
                  TRapport* rapport) {
    charge_tableau(programme, chemin_fichier_tableau(programme), demande, signale);
    actualise_en_signalant(programme, signale, rapport);
    charge_parametres(programme, signale);
}

bool exemple_param(TProgramme& programme, const QString& fichier_exemple, const TDemande& demande,
                   const TSignale& signale, TRapport* rapport) {
    if (demande && !demande(QStringLiteral(" écraser les PARAMETRES avec l' exemple ") +
                            natif(fichier_exemple) + QStringLiteral(" ?")))
        return false;
    if (!QFileInfo::exists(fichier_exemple)) {
        previens(signale, QStringLiteral("fichier <") + natif(fichier_exemple) +
                              QStringLiteral("> introuvable ..."));
        return false;
    }
    charge_tableau(programme, fichier_exemple, demande, signale);
    actualise_en_signalant(programme, signale, rapport);
    charge_parametres(programme, signale);
    return true;
}
