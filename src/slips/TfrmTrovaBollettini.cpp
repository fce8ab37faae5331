#include "TfrmTrovaBollettini.h"

#include "ui/PannelloFiltri.h"

#include <QLineEdit>

TfrmTrovaBollettini::TfrmTrovaBollettini(QWidget* parent, DestinoBollettino destino)
    : FinestraRicerca(parent,
                      {QStringLiteral(" Trova versamenti in archivio"), QStringLiteral("Riepilogo versamenti"), false,
                       true},
                      {{"txtIntero", QStringLiteral("Importo in cifre:")},
                       {"txtCCP", QStringLiteral("C/C Postale n.")},
                       {"txtEsecutore", QStringLiteral("Cognome e nome Esecutore:")},
                       {"txtComuneRes", QStringLiteral("Comune di residenza:")},
                       {"txtIntestatario", QStringLiteral("Cognome e nome Intestatario:")},
                       {"txtIndirizzoInt", QStringLiteral("Indirizzo di residenza:")},
                       {"txtDataScade", QStringLiteral("Data scadenza (gg/mm/aaaa):")},
                       {"txtDataPaga", QStringLiteral("Data versamento (gg/mm/aaaa):")},
                       {"txtCausale01", QStringLiteral("Causale (rigo 1):")},
                       {"txtNote", QStringLiteral("Note:")}}),
      m_destino(std::move(destino)) {
    setObjectName(QStringLiteral("frmTrovaBollettini"));
    QLineEdit** campi[] = {&txtIntero,       &txtCCP,       &txtEsecutore, &txtComuneRes, &txtIntestatario,
                           &txtIndirizzoInt, &txtDataScade, &txtDataPaga,  &txtCausale01, &txtNote};
    for (int i = 0; i < 10; ++i) *campi[i] = panAvvio->filtri[i];
}

void TfrmTrovaBollettini::cerca(const QList<std::pair<QString, QString>>& filtri, Elenco& out) {
    FiltriTesto f;
    elenchi::filtriBollettini(filtri, f);
    elenchi::cercaBollettini(m_destino.archivio, f, out, elenchi::Accesso::ReadWrite);
}

void TfrmTrovaBollettini::carica(const VoceElenco& voce) { caricaBollettino(m_destino, voce); }
