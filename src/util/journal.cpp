#include "util/journal.h"

bool TJournal::ecrit(const QString& ligne) {
    const bool vide = contenu.size() > nb_max_lignes;
    if (vide) contenu.clear();
    contenu.append(ligne);
    return vide;
}
