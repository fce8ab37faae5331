// Build step of the release bundle: the program's screens opened as a user opens them, on the window
// system it is given (xcb on a virtual screen), with a list, the print preview, the printer dialog
// and a card written as PDF, so that every library, plugin, translation and font a session needs gets
// loaded. Then it writes the files the process has mapped, one a line: the bundle carries those
// (less what every desktop has), instead of a list kept by hand. The slip it saved is left beside
// the list as "2024.bol".
//
//   versalio-sonda OUT.txt
#include "QuietDesktop.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmInfo.h"
#include "app/TfrmPassword.h"
#include "app/WindowSet.h"
#include "archive/PasswordStore.h"
#include "print/CartellaAutonoma.h"
#include "registry/TfrmEsecutori.h"
#include "slips/TfrmBollettino.h"
#include "slips/TfrmStampaBolBis.h"
#include "slips/TfrmStampaBolBis_A4.h"
#include "ui/FinestraElenco.h"
#include "ui/ListaRecords.h"
#include "ui/MessageService.h"
#include "ui/ProgramFolder.h"
#include "ui/ReportPreviewDialog.h"
#include "ui/Shell.h"
#include "ui/Traduzioni.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

[[noreturn]] void fallisci(const char* perche) {
    std::fprintf(stderr, "versalio-sonda: %s\n", perche);
    std::_Exit(1);
}

// Lets the window system draw what was just shown.
void attendi(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

// Runs `act` on the modal window that the next call opens, once it had time to be drawn.
template <class W> void sulProssimo(std::function<void(W*)> act, int ms = 1000) {
    QTimer::singleShot(ms, qApp, [act] {
        auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!w) fallisci("an expected window did not open");
        act(w);
    });
}

void rifiuta(QPrintDialog* d) { d->reject(); }

} // namespace

int main(int argc, char** argv) {
    // Started as the program starts, so that put inside the folder users receive it shows what that
    // folder loads (and outside it, what the machine has).
    cartellaAutonoma::isola();
    QApplication app(argc, argv);
    cartellaAutonoma::caricaCaratteri();
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: versalio-sonda OUT.txt\n");
        return 2;
    }
    formatiItaliani();
    if (!caricaTraduzioniQt(&app)) fallisci("the Italian Qt translations were not found");
    // A folder of its own, no message box waiting for an answer, no program started.
    TemporaryProgramFolder cartella;
    QuietDesktop quiete;
    if (!passwordStore::scrivi(programFolder::path(), passwordStore::normalizza(passwordStore::kPrimoAccesso)))
        fallisci("cannot write the password store");

    WindowSet set;
    set.start();
    attendi(800);
    set.password->txtPassword->setText(passwordStore::kPrimoAccesso);
    set.password->cmdOKClick();
    if (!set.avvio->isVisible()) fallisci("the password was refused");
    attendi(800);

    emit set.avvio->apriBollettino();
    set.bollettino->txtAnno->setText(QStringLiteral("2024"));
    set.bollettino->btnApriClick();
    set.bollettino->txtCCP->setText(QStringLiteral("123456789012"));
    set.bollettino->txtImporto->setText(QStringLiteral("1234"));
    set.bollettino->txtCents->setText(QStringLiteral("50"));
    set.bollettino->txtIntestatario->setText(QStringLiteral("ASSOCIAZIONE AMICI DELLA MUSICA"));
    set.bollettino->txtCausale01->setText(QStringLiteral("QUOTA ASSOCIATIVA ANNO 2024"));
    set.bollettino->txtEsecutore->setText(QStringLiteral("ROSSI MARIO"));
    set.bollettino->txtIndirizzoRes->setText(QStringLiteral("VIA ROMA 1"));
    set.bollettino->txtDataScade->setText(QStringLiteral("31/12/2024"));
    set.bollettino->cmdSalvaClick();
    // The saved slip goes beside the list, for versalio-tool to print it.
    const QString archivio = QFileInfo(app.arguments().at(1)).dir().filePath(QStringLiteral("2024.bol"));
    QFile::remove(archivio);
    if (!QFile::copy(programFolder::path() + QStringLiteral("2024.bol"), archivio)) fallisci("the slip was not saved");
    attendi(500);

    // The unpaid list, drawn in the lists' fixed-width font, with the slip just saved.
    sulProssimo<FinestraElenco>([](FinestraElenco* d) {
        if (d->lstRecords->modello()->rowCount() != 1) fallisci("the unpaid list does not show the saved slip");
        d->reject();
    });
    set.bollettino->cmdDaSaldareClick();

    // The slip on A4: the preview, then the printer dialog.
    sulProssimo<TfrmStampaBolBis_A4>([](TfrmStampaBolBis_A4* d) {
        sulProssimo<ReportPreviewDialog>([](ReportPreviewDialog* p) { p->reject(); }, 2000);
        d->btnAnteprimaClick();
        sulProssimo<QPrintDialog>(rifiuta);
        d->btnFoglioA4Click();
        d->reject();
    });
    set.bollettino->cmdStampa_su_A4Click();
    // The slip on the blank form, through the printer dialog.
    sulProssimo<TfrmStampaBolBis>([](TfrmStampaBolBis* d) {
        sulProssimo<QPrintDialog>(rifiuta);
        d->btnStampaClick();
        d->reject();
    });
    set.bollettino->cmdStampa_su_ModuloClick();
    set.bollettino->close();
    attendi(300);

    // A registry card written as PDF, and the about dialog.
    emit set.avvio->apriAnagrafica();
    set.esecutori->txtEsecutore->setText(QStringLiteral("ROSSI MARIO"));
    set.esecutori->txtIndirizzoRes->setText(QStringLiteral("VIA ROMA 1"));
    set.esecutori->cmdPDFClick();
    if (!QFile::exists(programFolder::path() + QStringLiteral("Esecutore.pdf"))) fallisci("no card PDF was written");
    set.esecutori->close();
    sulProssimo<TfrmInfo>([](TfrmInfo* d) { d->reject(); });
    TfrmInfo(set.avvio).exec();
    attendi(300);

    QFile mappe(QStringLiteral("/proc/self/maps"));
    QFile out(app.arguments().at(1));
    if (!mappe.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fallisci("cannot read the process's maps or write the list");
    QStringList files;
    for (const QByteArray& riga : mappe.readAll().split('\n')) {
        const qsizetype slash = riga.indexOf(" /");
        if (slash < 0) continue;
        const QString path = QString::fromLocal8Bit(riga.mid(slash + 1));
        if (!files.contains(path)) files << path;
    }
    out.write(files.join(QLatin1Char('\n')).toLocal8Bit() + '\n');
    if (!out.flush()) fallisci("cannot write the list");
    return 0;
}
