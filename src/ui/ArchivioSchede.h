#pragma once

#include "MessageService.h"
#include "archive/ArchiveError.h"
#include "archive/RecordFile.h"

#include <QLabel>
#include <QList>
#include <functional>

// The archive commands the workspaces share: the four arrows, saving where the position label
// says, and the first steps of Duplica. Each command opens the archive, works and closes it; a
// failure shows the access text and leaves the screen as it was.
template <class T> class ArchivioSchede {
public:
    using File = RecordFile<T>;

    // `percorso` names the archive at the moment of each command; `carica` shows a record with its
    // 1-based position (and sets the position label).
    ArchivioSchede(QWidget* screen, QLabel* posizione, std::function<QString()> percorso,
                   std::function<void(const T&, qint64)> carica)
        : m_screen(screen), m_posizione(posizione), m_percorso(std::move(percorso)), m_carica(std::move(carica)) {}

    // Runs `f` on the open archive; false after a failure, reported in a box of `kind`.
    template <class F> bool con(F&& f, MessageService::Kind kind = MessageService::Error) {
        try {
            File archivio(m_percorso());
            f(archivio);
            return true;
        } catch (const ArchiveError&) {
            MessageService::instance().show(m_screen, kind, kTestoAccesso);
            return false;
        }
    }

    void primo() {
        con([this](File& a) {
            if (a.count() == 0) return vuoto();
            m_carica(a.read(0), 1);
        });
    }

    void ultimo() {
        con([this](File& a) {
            const qint64 n = a.count();
            if (n == 0) return vuoto();
            m_carica(a.read(n - 1), n);
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
        });
    }

    // Overwrites the saved record on screen, or appends a new one and shows its position.
    void salva(const T& r, MessageService::Kind failure) {
        const QString pos = m_posizione->text();
        con(
            [&](File& a) {
                if (!pos.isEmpty()) {
                    a.write(pos.toLongLong() - 1, r);
                    msg::information(m_screen, QStringLiteral("Le modifiche apportate alla scheda corrente sono "
                                                              "state salvate in archivio."));
                } else {
                    m_posizione->setText(QString::number(a.append(r)));
                    msg::information(m_screen, QStringLiteral("La scheda corrente \u00e8 stata inserita in archivio."));
                }
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
        return con([](File&) {});
    }

    // Said once the duplicate is on screen and the focus is where the user goes on.
    void duplicato() {
        msg::information(m_screen, QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda "
                                                  "corrente.\n\r\n\rAl termine premere Salva per inserire la scheda "
                                                  "in archivio."));
    }

private:
    void vuoto() { msg::information(m_screen, QStringLiteral("L'archivio non contiene nessuna scheda.")); }

    QWidget* m_screen;
    QLabel* m_posizione;
    std::function<QString()> m_percorso;
    std::function<void(const T&, qint64)> m_carica;
};
