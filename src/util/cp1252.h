#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252 text: the instruments, the settings, the table and the record files speak it.
// Bytes 0x80..0x9F carry the typographic characters of the code page; the rest is Latin-1.
QString depuis_1252(const QByteArray& octets);
// Characters that the code page cannot hold become '?'.
QByteArray vers_1252(const QString& texte);
// A file edited in a modern editor may come back as UTF-8: valid UTF-8 holding non-ASCII bytes
// is taken as UTF-8, anything else as Windows-1252.
QString depuis_fichier_texte(const QByteArray& octets);
