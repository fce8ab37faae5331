#include "DestinoScheda.h"

#include "queries/Importazione.h"

#include <QLineEdit>
#include <QWidget>

void DestinoFinestra::impostaCampo(const QString& campo, const QString& valore) {
    if (auto* e = m_finestra->findChild<QLineEdit*>(campo)) e->setText(valore);
}

void DestinoFinestra::caricaScheda(const TSchedaAnagrafica& scheda, qint64 posizione) {
    if (m_carica) m_carica(scheda, posizione);
}

QList<std::pair<QString, QString>> campiImportati(const QString& modo, const TSchedaAnagrafica& s) {
    importazione::Campi campi;
    if (modo == QLatin1String("esecutore")) campi = importazione::esecutore(s);
    else if (modo == QLatin1String("intestatario")) campi = importazione::intestatario(s);
    else if (modo == QLatin1String("riepilogo")) campi = {{QStringLiteral("CCP"), s.CCP.get()}};
    // The opener's edit fields are named after the record fields they show.
    for (auto& [campo, valore] : campi) campo.prepend(QLatin1String("txt"));
    return campi;
}
