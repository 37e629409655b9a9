#include "parametres/tableau.h"

#include "acquisition/rapport.h"
#include "util/cp1252.h"
#include "util/texte.h"

namespace {

struct TColonne {
    const char* titre; // Windows-1252
    int largeur;
};

constexpr TColonne colonnes[TTableau_multimetres::nb_colonnes] = {
    {"n", 20},          {"actif", 40},         {"multim\xE8tre", 80}, {"COMx", 60},
    {"vitesse", 60},    {"intervalle", 70},    {"grandeur", 150},     {"max", 60},
    {"min", 60},        {"graduation", 80},    {"couleur", 80},       {"\xE9paisseur", 80},
    {"rep\xE8re", 180}, {"s\xE9parateur", 90}, {"occurence", 80},     {"rep hms", 60},
    {"fin de bloc", 80}};

const QByteArray cellule_vide;

// Codes 1 to 32: what the row reader skips between fields.
inline bool est_blanc(unsigned char c) {
    return c >= 1 && c <= 32;
}

// Upper case by the code page's own rules (é -> É, ÿ -> Ÿ), through its 16-bit form.
QString majuscules_1252(const QByteArray& texte) {
    return depuis_1252(texte).toUpper();
}

TCouleur lit_couleur_cellule(const QByteArray& texte) {
    return rgb(extrait_entier(texte, 1, ',', 0), extrait_entier(texte, 2, ',', 0),
               extrait_entier(texte, 3, ',', 0));
}

char lit_separateur(const QByteArray& texte) {
    if (texte == "espace") return ' ';
    if (texte == "tabulation") return '\t';
    if (texte.isEmpty()) return ' ';
    return texte.at(0);
}

} // namespace

const QByteArray TTableau_multimetres::exemple_ligne1 =
    "WTW3430,COM7,9600,1,conductivit\xE9, 750,700,50,\"0,100,255\",7,Cond,espace,2,:";
const QByteArray TTableau_multimetres::exemple_ligne2 =
    ",,,,temp\xE9rature, 30,10,5,\"200,0,88\",5,Cond,espace,4,:";

TTableau_multimetres::TTableau_multimetres() {
    initialise_tableau();
}

void TTableau_multimetres::initialise_tableau() {
    cellules = QList<QList<QByteArray>>(nb_lignes_defaut, QList<QByteArray>(nb_colonnes));
    for (int c = 0; c < nb_colonnes; ++c)
        cellules[0][c] = QByteArray(colonnes[c].titre);
    for (int r = 1; r < nb_lignes_defaut; ++r)
        cellules[r][0] = QByteArray::number((r - 1) % 2 + 1);
}

int TTableau_multimetres::largeur_colonne(int colonne) {
    if (colonne < 0 || colonne >= nb_colonnes) return 60;
    return colonnes[colonne].largeur;
}

void TTableau_multimetres::redimensionne(int nombre) {
    if (nombre < 1) nombre = 1;
    if (nombre < nb_lignes()) cellules.resize(nombre);
    while (nb_lignes() < nombre)
        cellules.append(QList<QByteArray>(nb_colonnes));
}

const QByteArray& TTableau_multimetres::cellule(int colonne, int ligne) const {
    if (ligne < 0 || ligne >= nb_lignes() || colonne < 0 || colonne >= nb_colonnes)
        return cellule_vide;
    return cellules[ligne][colonne];
}

void TTableau_multimetres::fixe_cellule(int colonne, int ligne, const QByteArray& texte) {
    if (ligne < 0 || ligne >= nb_lignes() || colonne < 0 || colonne >= nb_colonnes) return;
    cellules[ligne][colonne] = texte;
}

void TTableau_multimetres::lit_texte_ligne(int ligne, const QByteArray& texte) {
    if (ligne < 0 || ligne >= nb_lignes()) return;
    QList<QByteArray>& cases = cellules[ligne];
    for (QByteArray& c : cases)
        c.clear();

    // A NUL byte ends the text, as it ends a C string: nothing after it is read.
    const qsizetype fin_nul = texte.indexOf('\0');
    const qsizetype n = fin_nul < 0 ? texte.size() : fin_nul;
    const auto car = [&](qsizetype i) { return static_cast<unsigned char>(texte[i]); };

    qsizetype p = 0;
    while (p < n && est_blanc(car(p)))
        ++p;
    int champ = 0;
    while (p < n) {
        QByteArray valeur;
        if (car(p) == '"') {
            // Quoted: up to the closing quote, a doubled quote standing for one; an unclosed
            // quote runs to the end of the text.
            ++p;
            while (p < n) {
                if (car(p) == '"') {
                    if (p + 1 < n && car(p + 1) == '"') {
                        valeur += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                valeur += texte[p];
                ++p;
            }
        } else {
            const qsizetype debut = p;
            while (p < n && car(p) > 32 && car(p) != ',')
                ++p;
            valeur = texte.mid(debut, p - debut);
        }
        if (champ < nb_colonnes) cases[champ] = valeur.isEmpty() ? QByteArray(" ") : valeur;
        ++champ;
        while (p < n && est_blanc(car(p)))
            ++p;
        if (p < n && car(p) == ',') {
            ++p;
            while (p < n && est_blanc(car(p)))
                ++p;
        }
    }
}

QByteArray TTableau_multimetres::texte_ligne(int ligne) const {
    if (ligne < 0 || ligne >= nb_lignes()) return {};
    QByteArray texte;
    for (int c = 0; c < nb_colonnes; ++c) {
        if (c > 0) texte += ',';
        const QByteArray& valeur = cellules[ligne][c];
        bool entre_guillemets = false;
        for (char ch : valeur) {
            const unsigned char u = static_cast<unsigned char>(ch);
            if (u <= 32 || u == '"' || u == ',') {
                entre_guillemets = true;
                break;
            }
        }
        if (!entre_guillemets) {
            texte += valeur;
            continue;
        }
        texte += '"';
        for (char ch : valeur) {
            if (ch == '"') texte += '"';
            texte += ch;
        }
        texte += '"';
    }
    return texte;
}

QByteArray TTableau_multimetres::texte_exemple(int ligne) {
    const bool premiere = ligne % 2 != 0;
    QByteArray texte = premiere ? "1" : "2";
    texte += ligne == 1 ? ",x," : ", ,";
    texte += premiere ? exemple_ligne1 : exemple_ligne2;
    return texte;
}

void TTableau_multimetres::remplit_exemple() {
    for (int r = 1; r < nb_lignes(); ++r)
        lit_texte_ligne(r, texte_exemple(r));
}

int TTableau_multimetres::colonne_par_titre(const QByteArray& titre_cherche) const {
    const QByteArray cherche = supprime_espaces(titre_cherche);
    if (cherche.isEmpty()) return -1;
    int trouvee = -1;
    for (int c = 0; c < nb_colonnes; ++c)
        if (supprime_espaces(cellule(c, 0)) == cherche) trouvee = c;
    if (trouvee < 0 && signale)
        signale(QStringLiteral("La colonne <") + depuis_1252(titre_cherche) +
                QStringLiteral("> n'existe pas"));
    return trouvee;
}

QByteArray TTableau_multimetres::lit_cellule_active(const QByteArray& titre_cherche,
                                                    int decalage) const {
    const int c = colonne_par_titre(titre_cherche);
    if (c < 0) return {};
    return supprime_espaces(cellule(c, ligne_active + decalage));
}

int TTableau_multimetres::entier_cellule_active(const QByteArray& titre_cherche,
                                                int decalage) const {
    return en_entier(lit_cellule_active(titre_cherche, decalage));
}

void TTableau_multimetres::ecrit_cellule_active(const QByteArray& texte,
                                                const QByteArray& titre_cherche, int decalage) {
    const int c = colonne_par_titre(titre_cherche);
    if (c < 0) return;
    fixe_cellule(c, ligne_active + decalage, supprime_espaces(texte));
}

int TTableau_multimetres::cherche_ligne_active(int ligne_precedente) const {
    const int c = colonne_par_titre(titre::actif);
    if (c < 0) return ligne_precedente;
    // A first row counts only when its second row exists (r <= row count - 2).
    for (int r = 1; r <= nb_lignes() - 2; r += 2)
        if (supprime_espaces(cellule(c, r)) == "x") return r;
    return ligne_precedente;
}

void TTableau_multimetres::actualise_multimetre(TMultimetre& m, TRapport* rapport) const {
    m.ligne = cherche_ligne_active(m.ligne);
    const int l1 = m.ligne;
    // Trimmed cell of the instrument's first (q = 1) or second (q = 2) row.
    const auto lit = [&](const QByteArray& titre_cherche, int q) {
        const int c = colonne_par_titre(titre_cherche);
        return c < 0 ? QByteArray() : supprime_espaces(cellule(c, l1 + q - 1));
    };
    const auto texte = [&](const char* objet, const QByteArray& valeur) {
        if (rapport) rapport->texte(objet, depuis_1252(valeur));
    };
    const auto couleur = [&](const char* objet, TCouleur valeur) {
        if (rapport) rapport->couleur_texte(objet, valeur);
    };

    for (int q = 1; q <= 2; ++q)
        m.couleur[q] = lit_couleur_cellule(lit(titre::couleur, q));
    for (int q = 1; q <= 2; ++q)
        m.epaisseur[q] = en_entier(lit(titre::epaisseur, q));

    texte("Label_multimetre", lit(titre::multimetre, 1));

    QByteArray dedans;
    coupe_accolade(lit(titre::repere, 1), m.repere[1], m.exclusion);
    coupe_accolade(lit(titre::repere, 2), m.repere[2], dedans); // the second row's part is unused

    for (int q = 1; q <= 2; ++q)
        coupe_accolade(lit(titre::grandeur, q), m.grandeur[q], m.unite[q]);
    if (m.unite[1].isEmpty() && majuscules_1252(m.grandeur[1]) == QStringLiteral("CONDUCTIVITÉ"))
        m.unite[1] = "S/cm";
    if (m.unite[2].isEmpty() && majuscules_1252(m.grandeur[2]) == QStringLiteral("TEMPÉRATURE"))
        m.unite[2] = "\xB0"
                     "C";

    couleur("Label_grandeur1", m.couleur[1]);
    texte("Label_grandeur1", m.grandeur[1]);
    texte("Label_grand1", m.grandeur[1]);
    texte("Label_grand2", m.grandeur[2]);

    QByteArray nettoye = lit(titre::maximum, 1);
    garde_nombre(nettoye);
    m.y_max[1] = en_reel(nettoye);
    texte("Edit_max_y1", nettoye);
    nettoye = lit(titre::minimum, 1);
    garde_nombre(nettoye);
    m.y_min[1] = en_reel(nettoye);
    texte("Edit_min_y1", nettoye);
    m.y_graduation[1] = en_reel(lit(titre::graduation, 1));
    texte("Edit_y1_graduation", lit(titre::graduation, 1));

    for (const char* objet :
         {"Label_grand1", "Label_hauteur", "Label_zero", "CheckBox_af_integrale",
          "Label_val_grand1", "Label_multiple_initial", "Label_multiple_courant"})
        couleur(objet, m.couleur[1]);
    for (const char* objet : {"Label_grand2", "Label_grandeur2", "Label_val_grand2"})
        couleur(objet, m.couleur[2]);

    texte("Label_grandeur2", lit(titre::grandeur, 2));

    m.y_max[2] = en_reel(lit(titre::maximum, 2));
    m.y_min[2] = en_reel(lit(titre::minimum, 2));
    m.y_graduation[2] = en_reel(lit(titre::graduation, 2));
    texte("Edit_max_y2", lit(titre::maximum, 2));
    texte("Edit_min_y2", lit(titre::minimum, 2));
    texte("Edit_y2_graduation", lit(titre::graduation, 2));

    couleur("CheckBox_y2", m.couleur[2]);
    texte("CheckBox_y2", m.grandeur[2]);

    for (int q = 1; q <= 2; ++q)
        m.separateur[q] = lit_separateur(lit(titre::separateur, q));
    for (int q = 1; q <= 2; ++q)
        m.occurence[q] = en_entier(lit(titre::occurence, q));

    const QByteArray hms1 = lit(titre::rep_hms, 1);
    // The code page's own character, as the decoded instrument lines carry it.
    m.car_hms = hms1.isEmpty() ? QLatin1Char(':') : depuis_1252(hms1.left(1)).at(0);
    for (int q = 1; q <= 2; ++q) {
        const QByteArray hms = lit(titre::rep_hms, q);
        m.nb_hms[q] = hms.isEmpty() ? 2 : int(hms.size());
    }

    const QByteArray fin = lit(titre::fin_de_bloc, 1);
    m.fin_de_bloc = fin.isEmpty() ? QByteArray("__") : fin;
}

QByteArray TTableau_multimetres::compose_config_com() const {
    return lit_cellule_active(titre::comx, 0) + ": bauds=" + lit_cellule_active(titre::vitesse, 0) +
           " parity=N data=8 stop=1";
}
