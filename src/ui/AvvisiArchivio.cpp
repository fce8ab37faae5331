#include "AvvisiArchivio.h"

#include "MessageService.h"
#include "archive/GiornaleLotto.h"

#include <QApplication>
#include <QFileInfo>
#include <QWidget>

namespace avvisiArchivio {

void mostra(QWidget* parent, const QString& tranne) {
    const QString escluso = tranne.isEmpty() ? QString() : QFileInfo(tranne).absoluteFilePath();
    for (const AvvisoLotto& a : giornaleLotto::avvisi()) {
        if (!escluso.isEmpty() && QFileInfo(a.giornale).absoluteFilePath() == escluso) continue;
        if (a.esito == AvvisoLotto::Lasciato) msg::warning(parent, a.testo());
        else msg::information(parent, a.testo());
    }
}

void mostraAlTermine() {
    giornaleLotto::quandoArriva([] {
        // Left while the archive is still open and locked: shown later, once the command is over and
        // the event loop has it back.
        QMetaObject::invokeMethod(
            qApp,
            [] {
                QWidget* sopra = QApplication::activeModalWidget();
                if (!sopra) sopra = QApplication::activeWindow();
                mostra(sopra);
            },
            Qt::QueuedConnection);
    });
}

} // namespace avvisiArchivio
