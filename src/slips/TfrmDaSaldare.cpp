#include "TfrmDaSaldare.h"

TfrmDaSaldare::TfrmDaSaldare(QWidget* parent, DestinoBollettino destino)
    : ElencoBollettini(parent,
                       {QStringLiteral(" Riepilogo bollettini non saldati"),
                        QStringLiteral("Riepilogo bollettini non saldati"), false, false},
                       std::move(destino)) {
    setObjectName(QStringLiteral("frmDaSaldare"));
}

void TfrmDaSaldare::seleziona(const QString& archivio, Elenco& out) {
    elenchi::bollettiniDaSaldare(archivio, out, elenchi::Accesso::ReadWrite);
}
