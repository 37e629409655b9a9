#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "acquisition/programme.h"
#include "acquisition/rapport.h"

// The two variants share one body: the line loop's decoder and the character-stream (and
// demonstration) decoder.
enum class TVariante_decodeur { lignes, caracteres };

// What a loop run keeps from one call to the next.
struct TContexte_decodage {
    QByteArray texte_heure; // the latest instrument time text
    QDateTime heure_point2; // PC time of point 2, for the interval check at point 12

    // The date part of the points' times changes once a day: its text is kept rather than
    // formatted again at every point.
    struct TDate_ecrite {
        QDate date;
        QString format;
        QString texte;
        QByteArray octets;
    } date_ecrite = {};
};

// Decimals looked up by unit prefix in a table such as "µ=0;m=3;k=1;F=3" (one-character keys,
// case-insensitive). A missing key, or an entry that is not a plain count of decimals, gives
// the default.
QByteArray cherche_decimales(const QByteArray& table_decimales, const QByteArray& cle,
                             const QByteArray& defaut);

// Takes one candidate line; when it is a record of the active instrument, stores a point,
// appends its row to the decoded lines, updates the tracer results, labels and axes.
// A line whose numbers cannot be read is rejected before the point index moves: it is
// journaled with the error text and counted (etat.nb_lignes_rejetees); the acquisition goes on.
// Returns true when a point was stored or replaced.
bool decode_enregistrement(TProgramme& programme, TRapport& rapport, TVariante_decodeur variante,
                           const QString& ligne_recue, TContexte_decodage& contexte);
