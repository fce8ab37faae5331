#pragma once

#include <QString>

class QWidget;

// What the archive layer found of a batch that did not end, shown to the user: an information box
// for a batch undone or left out of a read, a warning for a journal left alone. Each notice is shown
// once.
namespace avvisiArchivio {

// Shows the notices left so far, but those about the journal `tranne` (a screen that tells about
// that one in its own message).
void mostra(QWidget* parent, const QString& tranne = {});

// From now on a notice is shown as soon as the command at hand is over (its files closed, its
// locks let go), over the window the user works in, whichever screen opened the archive.
void mostraAlTermine();

} // namespace avvisiArchivio
