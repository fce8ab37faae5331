#pragma once

#include "MessageService.h"
#include "archive/ArchiveError.h"
#include "archive/RecordFile.h"

#include <QLabel>
#include <QList>
#include <functional>

// The archive commands the workspaces share: the four arrows, saving where the position label
// says, and the first steps of Duplica. Each command opens the archive, works and closes it, and
// only then says what it has to say: a box waiting for OK never keeps the file open (on Windows an
// open file stops the folder from being copied). A failure shows the access text and leaves the
// screen as it was.
template <class T> class ArchivioSchede {
public:
    using File = RecordFile<T>;

    // `percorso` names the archive at the moment of each command; `carica` shows a record with its
    // 1-based position (and sets the position label).
    ArchivioSchede(QWidget* screen, QLabel* posizione, std::function<QString()> percorso,
                   std::function<void(const T&, qint64)> carica)
        : m_screen(screen), m_posizione(posizione), m_percorso(std::move(percorso)), m_carica(std::move(carica)) {}

    // Runs `f` on the open archive; false after a failure, reported in a box of `kind`. `f` returns
    // the information for the user (empty for none), shown once the archive is closed.
    template <class F> bool con(F&& f, MessageService::Kind kind = MessageService::Error) {
        QString informazione;
        try {
            File archivio(m_percorso());
            informazione = f(archivio);
        } catch (const ArchiveError&) {
            MessageService::instance().show(m_screen, kind, kTestoAccesso);
            return false;
        }
        if (!informazione.isEmpty()) msg::information(m_screen, informazione);
        return true;
    }

    void primo() {
        con([this](File& a) {
            if (a.count() == 0) return vuoto();
            m_carica(a.read(0), 1);
            return QString();
        });
    }

    void ultimo() {
        con([this](File& a) {
            const qint64 n = a.count();
            if (n == 0) return vuoto();
            m_carica(a.read(n - 1), n);
            return QString();
        });
    }

    // From a new record (empty position, counting as 0) the first one; on the last one, nothing.
    void avanti() {
        const qint64 p = m_posizione->text().toLongLong();
        con([this, p](File& a) {
            const qint64 n = a.count();
            if (n == 0) {
                m_posizione->clear();
                return vuoto();
            }
            if (p < n) m_carica(a.read(p), p + 1);
            return QString();
        });
    }

    // On the first record nothing, not even for an empty archive; from a new record the first one.
    void indietro() {
        const QString pos = m_posizione->text();
        if (pos == QLatin1String("1")) return;
        con([this, pos](File& a) {
            const qint64 n = a.count();
            if (n == 0) return vuoto();
            const qint64 p = pos.toLongLong();
            if (pos.isEmpty() || p <= 2) m_carica(a.read(0), 1);
            // A position past the end (the archive was replaced by a shorter one) goes to the last record.
            else m_carica(a.read(std::min(p - 2, n - 1)), std::min(p - 1, n));
            return QString();
        });
    }

    // Overwrites the saved record on screen, or appends a new one and shows its position.
    void salva(const T& r, MessageService::Kind failure) {
        const QString pos = m_posizione->text();
        con(
            [&](File& a) {
                if (!pos.isEmpty()) {
                    a.write(pos.toLongLong() - 1, r);
                    return QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
                }
                m_posizione->setText(QString::number(a.append(r)));
                return QStringLiteral("La scheda corrente \u00e8 stata inserita in archivio.");
            },
            failure);
    }

    // Turns the saved record on screen into a new one with the same data but no attachments, then
    // proves the archive reachable. False when refused (not saved yet) or unreachable.
    bool duplica(const QList<QLabel*>& allegati) {
        if (m_posizione->text().isEmpty()) {
            msg::warning(m_screen, QStringLiteral("Attenzione: la duplicazione di una scheda pu\u00f2 avvenire soltanto "
                                                  "dopo che questa \u00e8 stata inserita in archivio."));
            return false;
        }
        for (QLabel* l : allegati) l->clear();
        m_posizione->clear();
        return con([](File&) { return QString(); });
    }

    // Said once the duplicate is on screen and the focus is where the user goes on.
    void duplicato() {
        msg::information(m_screen, QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda "
                                                  "corrente.\n\r\n\rAl termine premere Salva per inserire la scheda "
                                                  "in archivio."));
    }

private:
    static QString vuoto() { return QStringLiteral("L'archivio non contiene nessuna scheda."); }

    QWidget* m_screen;
    QLabel* m_posizione;
    std::function<QString()> m_percorso;
    std::function<void(const T&, qint64)> m_carica;
};
