#include "util/cp1252.h"

#include <QStringDecoder>

namespace {
// Bytes 0x80..0x9F; 0 marks the five bytes the code page leaves undefined (kept as themselves).
constexpr char16_t table_80_9f[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

QString depuis_1252(const QByteArray& octets) {
    QString texte(octets.size(), Qt::Uninitialized);
    QChar* sortie = texte.data();
    for (qsizetype i = 0; i < octets.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(octets[i]);
        char16_t u = c;
        if (c >= 0x80 && c <= 0x9F && table_80_9f[c - 0x80] != 0) u = table_80_9f[c - 0x80];
        sortie[i] = QChar(u);
    }
    return texte;
}

QByteArray vers_1252(const QString& texte) {
    QByteArray octets(texte.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const char16_t u = texte[i].unicode();
        char c = '?';
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            c = static_cast<char>(u);
        } else if (u >= 0x80 && u <= 0x9F) {
            // An undefined byte read earlier goes back as itself.
            if (table_80_9f[u - 0x80] == 0) c = static_cast<char>(u);
        } else {
            for (int k = 0; k < 32; ++k)
                if (table_80_9f[k] == u) {
                    c = static_cast<char>(0x80 + k);
                    break;
                }
        }
        octets[i] = c;
    }
    return octets;
}

QString depuis_fichier_texte(const QByteArray& octets) {
    bool ascii = true;
    for (char c : octets)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) return QString::fromLatin1(octets);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString essai = utf8.decode(octets);
    if (!utf8.hasError()) return essai;
    return depuis_1252(octets);
}
