#include "DestinoScheda.h"

#include <QLineEdit>
#include <QWidget>

void DestinoFinestra::impostaCampo(const QString& campo, const QString& valore) {
    if (auto* e = m_finestra->findChild<QLineEdit*>(campo)) e->setText(valore);
}

void DestinoFinestra::caricaScheda(const TSchedaAnagrafica& scheda, qint64 posizione) {
    if (m_carica) m_carica(scheda, posizione);
}

QList<std::pair<QString, QString>> campiImportati(const QString& modo, const TSchedaAnagrafica& s) {
    if (modo == QLatin1String("esecutore"))
        return {{QStringLiteral("txtEsecutore"), s.Esecutore.get()},
                {QStringLiteral("txtIndirizzoRes"), s.IndirizzoRes.get()},
                {QStringLiteral("txtCapRes"), s.CapRes.get()},
                {QStringLiteral("txtComuneRes"), s.ComuneRes.get()}};
    if (modo == QLatin1String("intestatario"))
        return {{QStringLiteral("txtCCP"), s.CCP.get()},
                {QStringLiteral("txtIntestatario"), s.Esecutore.get()},
                {QStringLiteral("txtIndirizzoInt"), s.IndirizzoRes.get() + QLatin1Char(' ') + s.ComuneRes.get()},
                {QStringLiteral("txtCausale01"), s.Causale01.get()},
                {QStringLiteral("txtCausale02"), s.Causale02.get()}};
    if (modo == QLatin1String("riepilogo")) return {{QStringLiteral("txtCCP"), s.CCP.get()}};
    return {};
}
