#include "acquisition/lance_acquisition.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QTime>

#include "acquisition/boucle_caracteres.h"
#include "acquisition/boucle_lignes.h"
#include "util/cp1252.h"

void lance_acquisition(TProgramme& programme, TRapport& rapport, TSource_lignes& lignes,
                       TSource_caracteres& caracteres) {
    if (programme.reglages.lecture_csv != 0)
        boucle_lignes(programme, rapport, lignes);
    else
        boucle_caracteres(programme, rapport, caracteres);
}

void attend(TProgramme& programme, TRapport& rapport, int millisecondes) {
    if (programme.attente) {
        programme.attente(millisecondes);
        return;
    }
    // Short slices: the window answers during the waits of the port opening and the
    // demonstration.
    QDeadlineTimer fin(millisecondes < 0 ? 0 : millisecondes);
    while (!fin.hasExpired()) {
        rapport.traite_evenements();
        const qint64 reste = fin.remainingTime();
        if (reste > 0) QThread::msleep(static_cast<unsigned long>(qMin<qint64>(reste, 5)));
    }
}

void decompte_bouton_go(const TProgramme& programme, TRapport& rapport, TDecompte_go& decompte) {
    const QDateTime& depart = programme.etat.heure_depart;
    const QByteArray& injection = programme.reglages.start_inject;
    // Once a count is over, nothing changes until a new start or a new injection text.
    if (depart == decompte.depart_fini && injection == decompte.texte_injection &&
        !decompte.legende.isEmpty())
        return;
    QString nouvelle;
    const qint64 e = depart.isValid() ? depart.msecsTo(programme.horloge()) : -1;
    if (e >= 0 && e <= 5000) {
        nouvelle = QTime(0, 0).addMSecs(int(6000 - e)).toString(QStringLiteral("hh:mm:ss"));
    } else {
        nouvelle = texte_reglage(injection);
        if (e > 5000 || !depart.isValid()) {
            decompte.depart_fini = depart;
            decompte.texte_injection = injection;
        }
    }
    if (nouvelle != decompte.legende) {
        decompte.legende = nouvelle;
        rapport.texte("Button_go", decompte.legende);
    }
}

void marque_t0(TProgramme& programme) {
    programme.etat.compteur_demo = 0;
    programme.etat.indice_t0 = programme.stock.nb_mesures;
    programme.etat.heure_t0 = programme.horloge();
}

QString texte_reglage(const QByteArray& texte) {
    return depuis_fichier_texte(texte);
}
