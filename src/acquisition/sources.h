#pragma once

#include <QString>
#include <QStringList>

#include "acquisition/mesures.h"

// Where the line loop takes its lines: the serial port, the lines of an instrument's own log
// being replayed, or a test.
class TSource_lignes {
public:
    virtual ~TSource_lignes() = default;
    // The next line, possibly empty when nothing came before the read time-out. False when the
    // source has ended (end of a replay, port lost): the loop then ends without handling a line.
    virtual bool ligne_suivante(QString& ligne) = 0;
    // Why the source ended, when it is a fault the operator must hear of; empty otherwise.
    virtual QString raison_fin() const { return {}; }
};

// Where the character loop takes its text: everything received until the line fell quiet.
class TSource_caracteres {
public:
    virtual ~TSource_caracteres() = default;
    // `texte` gets the characters received but the line end, `nombre` how many came (0 when
    // nothing came). False when the source has ended (port lost).
    virtual bool lit(QString& texte, int& nombre) = 0;
    virtual QString raison_fin() const { return {}; }
};

// Replay of an instrument log: line etat.ligne_relecture, then the next one at each call. The
// source ends on the line "fin" or when the following index is past the last line (that line is
// not handed over).
class TSource_relecture : public TSource_lignes {
public:
    TSource_relecture(const QStringList& lignes, TEtat_acquisition& etat)
        : lignes(lignes), etat(etat) {}
    bool ligne_suivante(QString& ligne) override {
        if (etat.ligne_relecture < 0 || etat.ligne_relecture >= lignes.size()) return false;
        ligne = lignes.at(etat.ligne_relecture);
        ++etat.ligne_relecture;
        return etat.ligne_relecture < lignes.size() && ligne != QLatin1String("fin");
    }

private:
    const QStringList& lignes;
    TEtat_acquisition& etat;
};

// A source that never gives anything (the demonstration needs no port).
class TSource_muette : public TSource_lignes, public TSource_caracteres {
public:
    bool ligne_suivante(QString& ligne) override {
        ligne.clear();
        return true;
    }
    bool lit(QString& texte, int& nombre) override {
        texte.clear();
        nombre = 0;
        return true;
    }
};
