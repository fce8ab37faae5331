#include "app/WindowSet.h"
#include "print/CartellaAutonoma.h"
#include "ui/Traduzioni.h"

#include <QApplication>

int main(int argc, char** argv) {
    cartellaAutonoma::isola();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(VERSALIO_VERSIONE));
    cartellaAutonoma::caricaCaratteri();
    caricaTraduzioniQt(&app);
    WindowSet windows;
    windows.start();
    return app.exec();
}
