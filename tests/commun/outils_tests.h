#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

#include "util/regional.h"

// Puts the regional settings of a locale in place for the life of the object, then restores
// the previous ones, so a test can run under ',' and '.' as the PC decimal sign.
class Locale_temporaire {
public:
    explicit Locale_temporaire(const QString& nom);
    ~Locale_temporaire();

private:
    regional::TRegional precedent;
};

// The folder of the sources and of the build, for fixtures and built programs.
QString chemin_source(const QString& relatif);
QString chemin_binaire(const QString& relatif);

// Whole content of a file as bytes ("" when missing).
QByteArray lit_fichier(const QString& chemin);
bool ecrit_fichier(const QString& chemin, const QByteArray& contenu);
