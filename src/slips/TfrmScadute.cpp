#include "TfrmScadute.h"

#include "ui/Clock.h"

TfrmScadute::TfrmScadute(QWidget* parent, DestinoBollettino destino)
    : ElencoBollettini(parent,
                       {QStringLiteral(" Riepilogo bollettini scaduti e non saldati"),
                        QStringLiteral("Riepilogo bollettini scaduti e non saldati"), false, false},
                       std::move(destino)) {
    setObjectName(QStringLiteral("frmScadute"));
}

void TfrmScadute::seleziona(const QString& archivio, Elenco& out) {
    elenchi::bollettiniScaduti(archivio, Clock::today(), out, elenchi::Accesso::ReadWrite);
}
