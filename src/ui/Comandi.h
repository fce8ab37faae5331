#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

class EntryForm;
class QLabel;
class QToolButton;
class QWidget;

// One command of a workspace: the button it fills in, its name, caption, picture and the
// information bar's description.
struct Comando {
    QToolButton** button;
    const char* name;
    const char* caption; // empty for picture-only buttons
    const char* picture; // resource name without folder and extension
    QString hint;
    QRect geometry = {}; // picture-only buttons: where they stand
};

// The workspaces' column of captioned picture buttons, top to bottom from `topLeft`.
void colonnaComandi(QWidget* panel, EntryForm* form, const QList<Comando>& comandi, QPoint topLeft, int passo = 49);

// Picture-only buttons (arrows, import buttons), each at its own geometry; they never take the focus.
void pulsantiImmagine(QWidget* panel, EntryForm* form, const QList<Comando>& comandi);

// The commands both workspaces have, with their information bar descriptions.
namespace comandi {
Comando nuovo(QToolButton** b);
Comando duplica(QToolButton** b);
Comando salva(QToolButton** b);
Comando allega(QToolButton** b, const char* name);
Comando trova(QToolButton** b);
Comando esporta(QToolButton** b, const char* caption);
Comando guida(QToolButton** b);
Comando esci(QToolButton** b);
} // namespace comandi

// The four arrows with the position label between them, left to right from `topLeft`:
// first, previous, position, next, last.
struct Frecce {
    QToolButton **primo, **indietro, **avanti, **ultimo;
    QLabel** posizione;
};
void barraNavigazione(QWidget* panel, EntryForm* form, const Frecce& frecce, QPoint topLeft, QSize pulsante,
                      QSize etichetta);
