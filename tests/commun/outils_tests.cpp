#include "outils_tests.h"

#include <QDir>
#include <QFile>

Locale_temporaire::Locale_temporaire(const QString& nom) : precedent(regional::courant()) {
    regional::initialise(QLocale(nom));
}

Locale_temporaire::~Locale_temporaire() {
    regional::fixe(precedent);
}

QString chemin_source(const QString& relatif) {
    return QDir(QStringLiteral(PROBELOG_SOURCES)).filePath(relatif);
}

QString chemin_binaire(const QString& relatif) {
    return QDir(QStringLiteral(PROBELOG_BINAIRES)).filePath(relatif);
}

QByteArray lit_fichier(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

bool ecrit_fichier(const QString& chemin, const QByteArray& contenu) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(contenu) == contenu.size();
}
