#pragma once

#include <QStringList>

// The journal of raw lines received from the instrument. It is shown, never written to disk;
// a view that holds more than 100 lines is emptied before the next line is added, so it never
// holds more than 101.
class TJournal {
public:
    static constexpr int nb_max_lignes = 100;
    // Returns true when the view was emptied before the line was added.
    bool ecrit(const QString& ligne);
    const QStringList& lignes() const { return contenu; }
    void efface() { contenu.clear(); }

private:
    QStringList contenu;
};
