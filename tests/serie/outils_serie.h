#pragma once

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <thread>
#include <unistd.h>

// A pair of connected pseudo-terminals made by socat: the instrument simulator writes on one
// end, the program reads the other through Qt Serial Port. Pulling the cable is killing socat.
class Paire_pty {
public:
    Paire_pty() {
        instrument = dossier.filePath(QStringLiteral("instrument"));
        programme = dossier.filePath(QStringLiteral("programme"));
    }
    ~Paire_pty() {
        arrete_simulateur();
        if (fd >= 0) ::close(fd);
        coupe();
    }
    bool demarre() {
        socat.start(QStringLiteral("socat"), {QStringLiteral("-d"), QStringLiteral("-d"),
                                              QStringLiteral("pty,raw,echo=0,link=") + instrument,
                                              QStringLiteral("pty,raw,echo=0,link=") + programme});
        if (!socat.waitForStarted(5000)) return false;
        QElapsedTimer attente;
        attente.start();
        while (!(QFileInfo::exists(instrument) && QFileInfo::exists(programme))) {
            if (attente.elapsed() > 5000) return false;
            QThread::msleep(10);
        }
        fd = ::open(QFile::encodeName(instrument).constData(), O_RDWR | O_NOCTTY);
        return fd >= 0;
    }
    // What the instrument sends.
    void envoie(const QByteArray& octets) {
        if (fd >= 0) (void)!::write(fd, octets.constData(), size_t(octets.size()));
    }
    // The simulator on its own thread: each piece after the given pause (ms).
    void simule(QList<QPair<int, QByteArray>> morceaux, std::function<void()> ensuite = {}) {
        arrete_simulateur();
        fini = false;
        simulateur = std::thread([this, morceaux, ensuite] {
            for (const auto& m : morceaux) {
                for (int t = 0; t < m.first && !fini; t += 5)
                    QThread::msleep(5);
                if (fini) return;
                envoie(m.second);
            }
            if (ensuite) ensuite();
        });
    }
    void arrete_simulateur() {
        fini = true;
        if (simulateur.joinable()) simulateur.join();
    }
    // The cable is pulled: safe from the simulator's thread.
    void coupe() {
        const qint64 pid = socat.processId();
        if (pid > 0) ::kill(pid_t(pid), SIGKILL);
        if (QThread::currentThread() == socat.thread() && socat.state() != QProcess::NotRunning)
            socat.waitForFinished(5000);
    }
    QByteArray config(const char* vitesse = "9600") const {
        return QFile::encodeName(programme) + ": bauds=" + vitesse + " parity=N data=8 stop=1";
    }

    QTemporaryDir dossier;
    QString instrument, programme;
    QProcess socat;
    int fd = -1;

private:
    std::thread simulateur;
    std::atomic<bool> fini{false};
};
