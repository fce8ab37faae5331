#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

class EntryForm;
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
