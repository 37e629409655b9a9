#pragma once

#include <QString>
#include <functional>

#include "acquisition/sources.h"
#include "serie/port_ligne.h"
#include "serie/port_min.h"

// The line loop reading the line port. A port that is not open (demonstration in line mode)
// gives nothing, after the read time-out, as a silent instrument would. A port that stops
// answering ends the source.
class TSource_port_lignes : public TSource_lignes {
public:
    TSource_port_lignes(TPort_ligne& port, std::function<void(int)> attente, int timeouts_ms)
        : port(port), attente(std::move(attente)), timeouts_ms(timeouts_ms) {}
    bool ligne_suivante(QString& ligne) override;
    QString raison_fin() const override { return raison; }

private:
    TPort_ligne& port;
    std::function<void(int)> attente;
    int timeouts_ms;
    QString raison;
};

// The character loop reading the minimal port.
class TSource_port_caracteres : public TSource_caracteres {
public:
    TSource_port_caracteres(TPort_min& port, std::function<void(int)> attente)
        : port(port), attente(std::move(attente)) {}
    bool lit(QString& texte, int& nombre) override;
    QString raison_fin() const override { return raison; }

private:
    TPort_min& port;
    std::function<void(int)> attente;
    QString raison;
};

// "liaison perdue avec le port X : raison".
QString texte_liaison_perdue(const QString& raison);
