#include "app/WindowSet.h"
#include "print/CartellaAutonoma.h"
#include "ui/AvvisiArchivio.h"
#include "ui/Traduzioni.h"

#include <QApplication>
#include <csignal>

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // A file that reaches the size limit the system sets on this program is a write that fails, as
    // on a full disk: the archive is put back as it was and the user told, instead of the program
    // dying halfway through a record.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    cartellaAutonoma::isola();
#ifdef Q_OS_WIN
    // Nothing the program draws needs the graphics card: the software renderer, chosen before the
    // application object exists, keeps a missing or broken display driver from ever mattering.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
#endif
    QApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(VERSALIO_VERSIONE));
    cartellaAutonoma::caricaCaratteri();
    formatiItaliani();
    caricaTraduzioniQt(&app);
    // A batch that a crash cut short is undone by the first command that opens its archive; the user
    // is told once that command is over, whichever screen it came from.
    avvisiArchivio::mostraAlTermine();
    WindowSet windows;
    windows.start();
    return app.exec();
}
